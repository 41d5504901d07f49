set(HALVO_VST_SHELL_SOURCES
    plugin/VstCapabilities.cpp
    plugin/VstShell.cpp
    plugin/VstEntryPoints.cpp
    plugin/VstHostLink.cpp)
