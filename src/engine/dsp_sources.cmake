set(HALVO_DSP_SOURCES
    engine/InstructionSet.cpp
    engine/VectorKernels.cpp
    engine/SweepOscillator.cpp
    engine/FeedbackDelay.cpp
    engine/FdnReverb.cpp
    engine/SoundEngine.cpp
    engine/OutputStage.cpp)

# The block kernels of the target architecture (engine/InstructionSet.h). On x86, kernels for
# wider vectors are built for their instruction set and only called where the CPU reports it.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    list(APPEND HALVO_DSP_SOURCES engine/VectorKernelsNeon.cpp)
elseif(EMSCRIPTEN)
    # WebAssembly: the SSE2 kernels, which emscripten translates into WebAssembly SIMD.
    list(APPEND HALVO_DSP_SOURCES engine/VectorKernelsSse2.cpp)
else()
    set(HALVO_DSP_AVX2_SOURCES engine/VectorKernelsAvx2.cpp)
    set(HALVO_DSP_AVX512_SOURCES engine/VectorKernelsAvx512.cpp)
    list(APPEND HALVO_DSP_SOURCES
        engine/VectorKernelsSse2.cpp ${HALVO_DSP_AVX2_SOURCES} ${HALVO_DSP_AVX512_SOURCES})
    set_source_files_properties(${HALVO_DSP_AVX2_SOURCES} PROPERTIES COMPILE_OPTIONS -mavx2)
    set_source_files_properties(${HALVO_DSP_AVX512_SOURCES} PROPERTIES COMPILE_OPTIONS -mavx512f)
endif()
