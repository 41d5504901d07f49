# Corrects the Turtle that JUCE's LV2 helper writes into the bundle, so that the description holds
# only statements the LV2 vocabularies allow. Run after the helper: cmake -DBUNDLE=<dir> -P <this>.
if(NOT IS_DIRECTORY "${BUNDLE}")
    message(FATAL_ERROR "no LV2 bundle at '${BUNDLE}'")
endif()

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

# The preset refers to the program by a property of the plug-in's own, which needs a definition.
file(READ "${BUNDLE}/manifest.ttl" manifest)
if(NOT manifest MATCHES "<([^>]*:Program)>")
    message(FATAL_ERROR "manifest.ttl: no program property found")
endif()
set(program_property "${CMAKE_MATCH_1}")
if(NOT manifest MATCHES "rdfs:label \"Program\"")
    file(APPEND "${BUNDLE}/manifest.ttl"
         "<${program_property}>\n"
         "\ta <http://www.w3.org/1999/02/22-rdf-syntax-ns#Property> ;\n"
         "\trdfs:label \"Program\" ;\n"
         "\trdfs:comment \"Index of the program a preset selects.\" ;\n"
         "\trdfs:range xsd:int .\n")
endif()
