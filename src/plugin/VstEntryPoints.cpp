#include "plugin/VstHostLink.h"
#include "plugin/VstShell.h"

#if defined(_WIN32)
// vst_exports.def names the exports: MinGW cannot export a function under its asm label.
#define HALVO_VST_EXPORT extern "C"
#else
#define HALVO_VST_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// JUCE's VST 2.4 entry point; the build renames it in the client's object file so that the
// module's exported entry points are the ones below.
extern "C" AEffect* juceVstPluginMain(audioMasterCallback host);

// One new instance per call: JUCE's client asks the host for its version (null for 0), creates a
// processor through the factory and wraps it, calling the host through our link; the record then
// gets our dispatcher in front. JUCE catches what creating the instance throws, not what starting
// its library and message loop throws: nothing may reach the host, which gets null instead.
HALVO_VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
    try
    {
        return halvo::vst::shieldEffect(halvo::vst::createLinkedToHost(&juceVstPluginMain, host));
    }
    catch (...)
    {
        return nullptr;
    }
}

// An asm label is the raw symbol name, which on 32-bit Windows starts with an underscore.
#define HALVO_QUOTE(text) #text
#define HALVO_SYMBOL_PREFIX(prefix) HALVO_QUOTE(prefix)

// The same entry under the name older hosts look for.
HALVO_VST_EXPORT AEffect*
halvoVstMain(audioMasterCallback host) __asm__(HALVO_SYMBOL_PREFIX(__USER_LABEL_PREFIX__) "main");
HALVO_VST_EXPORT AEffect* halvoVstMain(audioMasterCallback host)
{
    return VSTPluginMain(host);
}
