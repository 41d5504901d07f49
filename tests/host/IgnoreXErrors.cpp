// The framework's X11 calls; kept apart, as the X11 headers define names that clash with others.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include <juce_gui_basics/juce_gui_basics.h>

namespace halvo::test
{

void ignoreXErrors();

// The framework reports X errors through handlers it installs only in its own applications; in
// any other process (a test) the first one, such as asking a server without a window manager for
// a window's WM_STATE, would end it. A host application has handlers of its own.
void ignoreXErrors()
{
    juce::X11Symbols::getInstance()->xSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
}

} // namespace halvo::test
