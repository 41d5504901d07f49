#pragma once

namespace halvo
{

// What the desktop asks windows to draw at, for a plug-in window: the XSETTINGS value
// Gdk/WindowScalingFactor (published by GNOME, Xfce, Plasma's settings daemon and xsettingsd),
// which is what the Standalone's windows follow. The framework gives plug-in windows on Linux a
// scale of 1 whatever the desktop. 1 in the Standalone (its windows are scaled already), on other
// systems (the framework follows their DPI itself) and when nothing is published.
float desktopScaleForPluginWindows();

} // namespace halvo
