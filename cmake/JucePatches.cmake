# JUCE's plug-in clients with the fixes in cmake/juce-patches/ (each file says what it mends): a copy
# of the juce_audio_plugin_client module in the build tree, patched at configure time, from which the
# VST3 and LV2 clients are compiled. Debian's files stay as they are; everything else of the module
# (its headers, the other clients) is still read from there.
file(GLOB HALVO_JUCE_PATCHES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/cmake/juce-patches/*.patch")
list(SORT HALVO_JUCE_PATCHES)

set(patched_modules "${CMAKE_BINARY_DIR}/juce-patched")
set(patched_client "${patched_modules}/juce_audio_plugin_client")
set(stamp_file "${patched_modules}/applied.txt")

# The copy is made again whenever a patch or JUCE itself changed.
set(stamp "${JUCE_MODULES_DIR}")
foreach(patch_file IN LISTS HALVO_JUCE_PATCHES)
    file(SHA256 "${patch_file}" patch_hash)
    string(APPEND stamp "\n${patch_file} ${patch_hash}")
endforeach()
file(SHA256 "${JUCE_MODULES_DIR}/juce_audio_plugin_client/VST3/juce_VST3_Wrapper.cpp" client_hash)
string(APPEND stamp "\n${client_hash}")

set(previous_stamp "")
if(EXISTS "${stamp_file}")
    file(READ "${stamp_file}" previous_stamp)
endif()

if(NOT previous_stamp STREQUAL stamp)
    find_program(HALVO_PATCH_COMMAND patch REQUIRED)
    file(REMOVE_RECURSE "${patched_modules}")
    file(MAKE_DIRECTORY "${patched_modules}")
    file(COPY "${JUCE_MODULES_DIR}/juce_audio_plugin_client" DESTINATION "${patched_modules}")
    foreach(patch_file IN LISTS HALVO_JUCE_PATCHES)
        execute_process(
            COMMAND "${HALVO_PATCH_COMMAND}" --batch --forward -p1 -i "${patch_file}"
            WORKING_DIRECTORY "${patched_modules}"
            RESULT_VARIABLE patch_result
            OUTPUT_VARIABLE patch_output
            ERROR_VARIABLE patch_output)
        if(NOT patch_result EQUAL 0)
            message(FATAL_ERROR "JUCE patch ${patch_file} does not apply:\n${patch_output}")
        endif()
    endforeach()
    # The copies keep Debian's times, so that GCC takes a header reached through both folders for
    # one file (its "#pragma once" compares size, time and content). The clients' own sources get
    # new times, so that the build compiles them again from the new copy.
    file(GLOB client_sources "${patched_client}/juce_audio_plugin_client_*.cpp")
    file(TOUCH_NOCREATE ${client_sources})
    file(WRITE "${stamp_file}" "${stamp}")
endif()

foreach(format VST3 LV2)
    if(TARGET juce_audio_plugin_client_${format})
        get_target_property(client_sources juce_audio_plugin_client_${format} INTERFACE_SOURCES)
        list(TRANSFORM client_sources
            REPLACE "^${JUCE_MODULES_DIR}/juce_audio_plugin_client/" "${patched_client}/")
        set_target_properties(juce_audio_plugin_client_${format}
            PROPERTIES INTERFACE_SOURCES "${client_sources}")
    endif()
endforeach()
