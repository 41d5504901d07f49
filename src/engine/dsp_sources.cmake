set(HALVO_DSP_SOURCES
    engine/SweepOscillator.cpp
    engine/FeedbackDelay.cpp
    engine/FdnReverb.cpp
    engine/SoundEngine.cpp
    engine/OutputStage.cpp)
