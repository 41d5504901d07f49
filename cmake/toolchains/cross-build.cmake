# What every cross toolchain shares: programs from the build machine, libraries, headers and
# packages from the target's root (CMAKE_FIND_ROOT_PATH, set by the including file).
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The package search is confined to the target's root, where Debian's JUCE (a host package) is not.
set(JUCE_DIR /usr/lib/x86_64-linux-gnu/cmake/JUCE-7.0.5 CACHE PATH "Debian's JUCE CMake package")
