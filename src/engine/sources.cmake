set(HALVO_ENGINE_SOURCES
    engine/MurmelAudioProcessor.cpp
    engine/SineWaveVoice.cpp
    engine/MonoSynthesiser.cpp)
