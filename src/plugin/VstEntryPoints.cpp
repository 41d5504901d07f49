#include "plugin/VstShell.h"

#if defined(_WIN32)
#define HALVO_VST_EXPORT extern "C" __declspec(dllexport)
#else
#define HALVO_VST_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// JUCE's VST 2.4 entry point; the build renames it in the client's object file so that the
// module's exported entry points are the ones below.
extern "C" AEffect* juceVstPluginMain(audioMasterCallback host);

// One new instance per call: JUCE's client asks the host for its version (null for 0), creates a
// processor through the factory and wraps it; the record then gets our dispatcher in front.
HALVO_VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
    return halvo::vst::shieldEffect(juceVstPluginMain(host));
}

// The same entry under the name older hosts look for.
HALVO_VST_EXPORT AEffect* halvoVstMain(audioMasterCallback host) __asm__("main");
HALVO_VST_EXPORT AEffect* halvoVstMain(audioMasterCallback host)
{
    return VSTPluginMain(host);
}
