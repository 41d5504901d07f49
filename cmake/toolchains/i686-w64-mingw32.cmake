# Cross-builds the Windows modules (i686) with Debian's mingw-w64 (the posix thread model, which
# has std::thread and std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(HALVO_MINGW_TRIPLET i686-w64-mingw32)

set(CMAKE_C_COMPILER ${HALVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HALVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${HALVO_MINGW_TRIPLET}-windres)

# SSE2, which every 32-bit Windows machine of today has: the engine's SSE2 kernels need it, and
# with SSE arithmetic (no x87 excess precision) the engine computes exactly as on 64-bit.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

set(CMAKE_FIND_ROOT_PATH /usr/${HALVO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The package search above is confined to mingw's root, where Debian's JUCE (a host package) is not.
set(JUCE_DIR /usr/lib/x86_64-linux-gnu/cmake/JUCE-7.0.5 CACHE PATH "Debian's JUCE CMake package")
