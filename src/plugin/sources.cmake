set(HALVO_PLUGIN_SOURCES
    plugin/PluginFactory.cpp)
