# Cross-builds the Linux modules for aarch64 with Debian's cross compilers, against the arm64
# development packages installed beside the amd64 ones (multiarch). Programs built here, the tests
# and the LV2 description writer among them, run under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# The programs run on the arm64 C library installed with the arm64 packages, loader included. With
# `-L /usr/aarch64-linux-gnu` qemu took the cross toolchain's loader but found the arm64 package's
# libc.so.6, a different release of it: the first pthread_create then looped for ever.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)

# The cross C library, then the arm64 packages' files, which lie under / in aarch64-linux-gnu folders.
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
include(${CMAKE_CURRENT_LIST_DIR}/cross-build.cmake)
