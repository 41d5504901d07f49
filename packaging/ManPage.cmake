# Writes the manual page of halvo-render from its --help text, so the two never disagree.
# usage: cmake -DRENDER=<halvo-render> [-DEMULATOR=<command running it>] -DVERSION=<x.y.z>
#              -DOUTPUT=<file.1> -P ManPage.cmake
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
execute_process(COMMAND ${emulator} "${RENDER}" --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT help MATCHES "^Usage: halvo-render")
    message(FATAL_ERROR "halvo-render --help failed: ${result}")
endif()

# The usage line becomes the synopsis; the rest is kept as it is laid out, in roff's no-fill mode.
string(REGEX REPLACE "^Usage: [^\n]*\n\n?" "" body "${help}")
string(REPLACE "\\" "\\e" body "${body}")
string(REPLACE "-" "\\-" body "${body}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" body "${body}")

file(WRITE "${OUTPUT}"
".TH HALVO-RENDER 1 \"\" \"Halvo ${VERSION}\" \"User Commands\"\n"
".SH NAME\n"
"halvo-render \\- render MIDI files through the Halvo instrument into WAV files\n"
".SH SYNOPSIS\n"
".B halvo-render\n"
"[\\fIOPTIONS\\fR] [\\fIMIDI-FILE\\fR]\n"
".SH DESCRIPTION\n"
".nf\n"
"${body}"
".fi\n")
