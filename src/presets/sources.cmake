set(HALVO_PRESET_SOURCES
    presets/FactoryPresets.cpp
    presets/PresetFiles.cpp)
