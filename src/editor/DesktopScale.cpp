// The framework's X11 classes, for the desktop settings it has already read. Kept apart: the X11
// headers they bring define names that clash with other code.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include <juce_gui_basics/juce_gui_basics.h>

#include "editor/DesktopScale.h"

namespace halvo
{

float desktopScaleForPluginWindows()
{
#if JUCE_LINUX || JUCE_BSD
    if (juce::JUCEApplicationBase::isStandaloneApp())
        return 1.0f;
    if (auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating())
        if (auto* settings = windowSystem->getXSettings())
        {
            const auto factor =
                settings->getSetting(juce::XWindowSystem::getWindowScalingFactorSettingName());
            if (factor.isValid() && factor.integerValue > 0)
                return static_cast<float>(factor.integerValue);
        }
#endif
    return 1.0f;
}

} // namespace halvo
