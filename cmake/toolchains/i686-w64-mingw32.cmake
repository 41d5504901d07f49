# Cross-builds the Windows modules (i686) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(HALVO_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# SSE2, which every 32-bit Windows machine of today has: the engine's SSE2 kernels need it, and
# with SSE arithmetic (no x87 excess precision) the engine computes exactly as on 64-bit.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
