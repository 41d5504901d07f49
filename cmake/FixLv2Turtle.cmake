# Corrects the Turtle that JUCE's LV2 helper writes into the bundle, so that the description holds
# only statements the LV2 vocabularies allow, and adds the factory presets. Run after the helper:
# cmake -DBUNDLE=<dir> -DPRESETS=<dir> -P <this>.
if(NOT IS_DIRECTORY "${BUNDLE}")
    message(FATAL_ERROR "no LV2 bundle at '${BUNDLE}'")
endif()
if(NOT EXISTS "${PRESETS}/presets.ttl")
    message(FATAL_ERROR "no LV2 presets in '${PRESETS}'")
endif()

# The helper writes some lines with the Windows line ending of JUCE's sources; Turtle files here
# end their lines with "\n" alone.
file(GLOB turtle_files "${BUNDLE}/*.ttl")
foreach(turtle_file IN LISTS turtle_files)
    file(READ "${turtle_file}" text)
    string(REPLACE "\r\n" "\n" text "${text}")
    file(WRITE "${turtle_file}" "${text}")
endforeach()

function(replace_once file_name search replacement)
    file(READ "${BUNDLE}/${file_name}" text)
    string(FIND "${text}" "${search}" position)
    if(position EQUAL -1)
        message(FATAL_ERROR "${file_name}: expected text not found:\n${search}")
    endif()
    string(REPLACE "${search}" "${replacement}" text "${text}")
    file(WRITE "${BUNDLE}/${file_name}" "${text}")
endfunction()

# Maintainer and release belong to a project; the maintainer has no mail address to give.
replace_once(dsp.ttl "\ta lv2:InstrumentPlugin ;\n" "\ta lv2:InstrumentPlugin , doap:Project ;\n")
replace_once(dsp.ttl "\t\tfoaf:mbox <> ;\n" "")

# "No user resize" is a feature, the options interface is extension data; the helper lists each
# under both.
replace_once(ui.ttl "\t\topts:interface ,\n\t\tui:noUserResize ,\n\t\tui:resize ;"
             "\t\topts:interface ,\n\t\tui:resize ;")
replace_once(ui.ttl "\t\tui:noUserResize ,\n\t\topts:interface ,\n\t\topts:options ;"
             "\t\tui:noUserResize ,\n\t\topts:options ;")

# The helper's preset for the one program ("Default") selects it by index, which loads nothing: it
# gets the default values as its state instead (written by halvo-preset-files), so that choosing it
# resets the sound.
file(READ "${PRESETS}/default-state.txt" default_state)
file(READ "${BUNDLE}/manifest.ttl" manifest)
string(REGEX REPLACE "state:state \\[ <[^>]*:Program> \"0\"\\^\\^xsd:int ; \\]" "${default_state}"
       fixed_manifest "${manifest}")
if(NOT fixed_manifest MATCHES ":StateString>")
    message(FATAL_ERROR "manifest.ttl: the program preset was not found")
endif()
file(WRITE "${BUNDLE}/manifest.ttl" "${fixed_manifest}")

# The factory presets that halvo-preset-files wrote into PRESETS: their file, and their entries in
# the manifest, from which hosts list them.
file(COPY "${PRESETS}/presets.ttl" DESTINATION "${BUNDLE}")
file(READ "${BUNDLE}/manifest.ttl" manifest)
if(NOT manifest MATCHES "<presets.ttl>")
    file(READ "${PRESETS}/manifest.ttl" preset_entries)
    file(APPEND "${BUNDLE}/manifest.ttl" "\n${preset_entries}")
endif()
