# The Windows modules, cross-built with mingw-w64 (see cmake/toolchains/). Each workaround here is
# for Debian's JUCE 7.0.5, which is made for Linux, meeting MinGW.

set(HALVO_WINDOWS_DEPS "" CACHE PATH
    "Prefix holding static mingw builds of libpng and libjpeg (scripts/build-windows.sh makes it)")
if(NOT EXISTS "${HALVO_WINDOWS_DEPS}/lib/libpng16.a" OR NOT EXISTS "${HALVO_WINDOWS_DEPS}/lib/libjpeg.a")
    message(FATAL_ERROR "HALVO_WINDOWS_DEPS must hold libpng16.a and libjpeg.a: run scripts/build-windows.sh")
endif()

# Debian's JUCE always uses the system's png, jpeg and zlib; for Windows they are static libraries.
add_library(halvo_windows_image_libs INTERFACE)
target_include_directories(halvo_windows_image_libs SYSTEM INTERFACE "${HALVO_WINDOWS_DEPS}/include")
target_link_libraries(halvo_windows_image_libs INTERFACE
    "${HALVO_WINDOWS_DEPS}/lib/libpng16.a"
    "${HALVO_WINDOWS_DEPS}/lib/libjpeg.a"
    z)
# A module that loads on a stock Windows: the C++ runtime, pthreads and zlib linked in (the linker
# then picks mingw's libz.a over its import library), no MinGW DLLs beside it. Stripped, since
# the static runtime brings megabytes of debug sections.
target_link_options(halvo_windows_image_libs INTERFACE -static $<$<CONFIG:Release>:-s>)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(HALVO_WINDOWS_BITS 64)
else()
    set(HALVO_WINDOWS_BITS 32)
endif()

# juce_set_vst2_sdk_path makes its folder a system include folder, and /usr/include would hide
# mingw's C library behind glibc's: this folder holds fst-dev's VST 2.4 interface and nothing else.
set(HALVO_WINDOWS_VST2_INTERFACE "${CMAKE_BINARY_DIR}/vst2-interface")
file(MAKE_DIRECTORY "${HALVO_WINDOWS_VST2_INTERFACE}/pluginterfaces")
file(CREATE_LINK /usr/include/pluginterfaces/vst2.x
     "${HALVO_WINDOWS_VST2_INTERFACE}/pluginterfaces/vst2.x" SYMBOLIC)

# 32-bit Windows object files name C functions with a leading underscore.
if(HALVO_WINDOWS_BITS EQUAL 32)
    set(HALVO_C_SYMBOL_PREFIX "_")
endif()

string(REPLACE "." "," HALVO_FILE_VERSION_NUMBERS "${HALVO_VERSION}.0")
configure_file("${PROJECT_SOURCE_DIR}/src/plugin/HalvoVersion.rc.in"
               "${CMAKE_BINARY_DIR}/generated/HalvoVersion.rc" @ONLY)

# Per-file fixes for the JUCE modules a target compiles (call it for every target that compiles them).
function(halvo_windows_juce_fixes target)
    set_source_files_properties("${JUCE_MODULES_DIR}/juce_graphics/juce_graphics.cpp"
        TARGET_DIRECTORY ${target}
        PROPERTIES COMPILE_OPTIONS "-include;${PROJECT_SOURCE_DIR}/cmake/windows/JpegBoolean.h")
    if(HALVO_WINDOWS_BITS EQUAL 32)
        # JUCE's 32-bit MinGW path declares its COM interface IDs from inside a nested namespace
        # (an error only without -fpermissive) and needs IID_PPV_ARGS mended (see the header).
        set_source_files_properties("${JUCE_MODULES_DIR}/juce_gui_basics/juce_gui_basics.cpp"
            TARGET_DIRECTORY ${target}
            PROPERTIES COMPILE_OPTIONS
                "-fpermissive;-I${PROJECT_SOURCE_DIR}/cmake/windows/accessibility32")
    endif()
endfunction()

# Gives a plug-in module target its version resource and its export names.
function(halvo_windows_module target)
    target_sources(${target} PRIVATE "${CMAKE_BINARY_DIR}/generated/HalvoVersion.rc")
    if(HALVO_WINDOWS_BITS EQUAL 32)
        # 32-bit stdcall exports are decorated (GetPluginFactory@0); hosts look for the plain names.
        target_link_options(${target} PRIVATE -Wl,--kill-at)
    endif()
endfunction()
