set(HALVO_DSP_SOURCES
    engine/InstructionSet.cpp
    engine/VectorKernels.cpp
    engine/VectorKernelsSse2.cpp
    engine/VectorKernelsAvx2.cpp
    engine/VectorKernelsAvx512.cpp
    engine/SweepOscillator.cpp
    engine/FeedbackDelay.cpp
    engine/FdnReverb.cpp
    engine/SoundEngine.cpp
    engine/OutputStage.cpp)

# Kernels for wider vectors are built for their instruction set and only called where the CPU
# reports it (engine/InstructionSet.h).
set(HALVO_DSP_AVX2_SOURCES engine/VectorKernelsAvx2.cpp)
set(HALVO_DSP_AVX512_SOURCES engine/VectorKernelsAvx512.cpp)
