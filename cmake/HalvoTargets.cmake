# Compile options for Halvo's own sources. JUCE's sources, which the plug-in client adds to the
# same targets, keep their own flags: warnings there are not ours to fix.
set(HALVO_OWN_COMPILE_OPTIONS
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Woverloaded-virtual -Wnon-virtual-dtor -Wcast-align -Wnull-dereference
    # The signal chain's results are defined to the bit: no fused multiply-adds.
    -ffp-contract=off)
if(HALVO_WARNINGS_AS_ERRORS)
    list(APPEND HALVO_OWN_COMPILE_OPTIONS -Werror)
endif()

# Applies Halvo's warnings to the given source files only (not to the JUCE sources of a target).
# Call it in the directory that defines the target the files belong to.
function(halvo_own_sources)
    set_source_files_properties(${ARGN}
        PROPERTIES COMPILE_OPTIONS "${HALVO_OWN_COMPILE_OPTIONS};-isystem${JUCE_MODULES_DIR}")
endfunction()

# Lets an executable (test, tool, renderer) use the plug-in's shared code: the engine, the
# parameters, the state and the JUCE modules compiled once for the plug-in.
function(halvo_link_shared_code target)
    target_link_libraries(${target} PRIVATE Halvo)
    target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:Halvo,INCLUDE_DIRECTORIES>)
    target_include_directories(${target} SYSTEM PRIVATE "${JUCE_MODULES_DIR}")
    target_compile_definitions(${target} PRIVATE $<TARGET_PROPERTY:Halvo,COMPILE_DEFINITIONS>)
    target_compile_options(${target} PRIVATE ${HALVO_OWN_COMPILE_OPTIONS})
endfunction()

# A GoogleTest executable on the plug-in's shared code, with JUCE's message manager set up by the
# shared test main. Its tests are registered with CTest unless NO_DISCOVERY is given.
function(halvo_add_shared_code_test target)
    cmake_parse_arguments(PARSE_ARGV 1 test "NO_DISCOVERY" "" "")
    add_executable(${target} "${PROJECT_SOURCE_DIR}/tests/support/JuceTestMain.cpp"
                   ${test_UNPARSED_ARGUMENTS})
    halvo_link_shared_code(${target})
    target_link_libraries(${target} PRIVATE GTest::gtest)
    if(NOT test_NO_DISCOVERY)
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
    endif()
endfunction()
