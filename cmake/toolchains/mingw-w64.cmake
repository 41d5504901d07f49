# What both Windows toolchains share: Debian's mingw-w64 compilers for HALVO_MINGW_TRIPLET (the posix
# thread model, which has std::thread and std::mutex), searches confined to mingw's root.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${HALVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HALVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${HALVO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HALVO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The package search above is confined to mingw's root, where Debian's JUCE (a host package) is not.
set(JUCE_DIR /usr/lib/x86_64-linux-gnu/cmake/JUCE-7.0.5 CACHE PATH "Debian's JUCE CMake package")
