# What both Windows toolchains share: Debian's mingw-w64 compilers for HALVO_MINGW_TRIPLET (the posix
# thread model, which has std::thread and std::mutex), searches confined to mingw's root.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${HALVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HALVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${HALVO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HALVO_MINGW_TRIPLET})
include(${CMAKE_CURRENT_LIST_DIR}/cross-build.cmake)
