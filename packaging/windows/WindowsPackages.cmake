# Makes the Windows packages from the modules in MODULES (the folder scripts/build-windows.sh
# writes: Halvo_32bit.dll, Halvo_64bit.dll, Halvo.vst3 and, when there are any, presets/):
#   Halvo-<version>-x64.msi, Halvo-<version>-x86.msi   per-machine installers (wixl)
#   Halvo-<version>-windows.zip                        the same files to copy by hand
#
# cmake -DMODULES=<folder> -DICON=<Halvo.ico> -DOUTPUT=<folder>
#       [-DPACKAGES="x64;x86;zip"] [-DVERSION=<version>] -P WindowsPackages.cmake
# VERSION defaults to the plug-in's; the installer tests package another one to check upgrades.
cmake_minimum_required(VERSION 3.22)

get_filename_component(source_dir "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
include("${source_dir}/src/plugin/identity.cmake")

foreach(input IN ITEMS MODULES ICON OUTPUT)
    if(NOT ${input})
        message(FATAL_ERROR "usage: cmake -DMODULES=<folder> -DICON=<ico> -DOUTPUT=<folder> "
                            "[-DPACKAGES=x64;x86;zip] [-DVERSION=<version>] -P ${CMAKE_CURRENT_LIST_FILE}")
    endif()
endforeach()
if(NOT DEFINED PACKAGES)
    set(PACKAGES x64 x86 zip)
endif()
if(NOT VERSION)
    set(VERSION "${HALVO_VERSION}")
endif()
get_filename_component(MODULES "${MODULES}" ABSOLUTE)
get_filename_component(ICON "${ICON}" ABSOLUTE)
get_filename_component(OUTPUT "${OUTPUT}" ABSOLUTE)
file(MAKE_DIRECTORY "${OUTPUT}")
set(work "${OUTPUT}/packaging-work")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

file(GLOB presets "${MODULES}/presets/*.vstpreset")
list(SORT presets)

find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
find_program(MSIINFO msiinfo REQUIRED)

function(xml_escape text out)
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    string(REPLACE "\"" "&quot;" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# wixl takes only relative paths; it runs in MODULES.
function(wixl_path file out)
    file(RELATIVE_PATH file "${MODULES}" "${file}")
    xml_escape("${file}" file)
    set(${out} "${file}" PARENT_SCOPE)
endfunction()

# Windows Installer counts a component's clients by its GUID and removes its files with the last one.
# A component of one package only (`owner` "package": in that architecture's folders, or its registry
# view) takes its GUID from the package's upgrade code. A component both packages install to the same
# place (`owner` "shared": the factory presets, in ProgramData, which is the same folder for 32-bit
# packages) must be one component in both, so that removing either package leaves it to the other: a
# GUID from the shared namespace and a 32-bit component, which the 32-bit package can hold too.
# Sets `guid` and `win64` in the caller's scope.
macro(component_identity owner name)
    if("${owner}" STREQUAL "shared")
        string(UUID guid NAMESPACE "${HALVO_WINDOWS_SHARED_COMPONENTS}" NAME "${name}" TYPE SHA1 UPPER)
        set(win64 no)
    else()
        string(UUID guid NAMESPACE "${UPGRADE_CODE}" NAME "${name}" TYPE SHA1 UPPER)
        set(win64 ${WIN64})
    endif()
endmacro()

# One component per file, so Windows Installer tracks each file on its own. Its id and GUID follow
# from the file's place, so they stay the same from version to version. Appends to the caller's
# `components` (the elements) and `component_refs`.
function(add_file_component file owner indent)
    file(RELATIVE_PATH place "${MODULES}" "${file}")
    string(SHA1 hash "${place}")
    string(SUBSTRING "${hash}" 0 16 hash)
    set(id "File_${hash}")
    component_identity(${owner} "${place}")
    wixl_path("${file}" source)
    string(APPEND components "${indent}<Component Id=\"${id}\" Guid=\"${guid}\" Win64=\"${win64}\">\n"
                             "${indent}  <File Id=\"${id}\" Source=\"${source}\" KeyPath=\"yes\"/>\n"
                             "${indent}</Component>\n")
    list(APPEND component_refs "      <ComponentRef Id=\"${id}\"/>")
    set(components "${components}" PARENT_SCOPE)
    set(component_refs "${component_refs}" PARENT_SCOPE)
endfunction()

# Windows Installer removes the folders its files were in; a folder that only holds other folders
# gets this component, which removes it on uninstall once it is empty.
function(add_folder_removal id owner indent)
    component_identity(${owner} "folder ${id}")
    string(APPEND components "${indent}<Component Id=\"Remove${id}\" Guid=\"${guid}\" Win64=\"${win64}\">\n"
                             "${indent}  <RemoveFolder Id=\"Remove${id}\" On=\"uninstall\"/>\n"
                             "${indent}</Component>\n")
    list(APPEND component_refs "      <ComponentRef Id=\"Remove${id}\"/>")
    set(components "${components}" PARENT_SCOPE)
    set(component_refs "${component_refs}" PARENT_SCOPE)
endfunction()

# The Directory elements of a folder and the files below it that `keep` accepts (a regular
# expression on the path below MODULES); folders without such files are left out.
function(add_folder folder keep indent)
    file(GLOB_RECURSE files "${folder}/*")
    set(kept FALSE)
    foreach(file IN LISTS files)
        file(RELATIVE_PATH place "${MODULES}" "${file}")
        if(place MATCHES "${keep}")
            set(kept TRUE)
        endif()
    endforeach()
    if(NOT kept)
        return()
    endif()
    get_filename_component(name "${folder}" NAME)
    file(RELATIVE_PATH place "${MODULES}" "${folder}")
    string(MAKE_C_IDENTIFIER "Dir_${place}" id)
    xml_escape("${name}" name)
    string(APPEND components "${indent}<Directory Id=\"${id}\" Name=\"${name}\">\n")
    file(GLOB entries LIST_DIRECTORIES true "${folder}/*")
    list(SORT entries)
    set(holds_files FALSE)
    foreach(entry IN LISTS entries)
        file(RELATIVE_PATH place "${MODULES}" "${entry}")
        if(IS_DIRECTORY "${entry}")
            add_folder("${entry}" "${keep}" "${indent}  ")
        elseif(place MATCHES "${keep}")
            add_file_component("${entry}" package "${indent}  ")
            set(holds_files TRUE)
        endif()
    endforeach()
    if(NOT holds_files)
        add_folder_removal(${id} package "${indent}  ")
    endif()
    string(APPEND components "${indent}</Directory>\n")
    set(components "${components}" PARENT_SCOPE)
    set(component_refs "${component_refs}" PARENT_SCOPE)
endfunction()

function(make_installer arch)
    if(arch STREQUAL "x64")
        set(PRODUCT_NAME "${HALVO_PRODUCT_NAME}")
        set(UPGRADE_CODE "${HALVO_WINDOWS_UPGRADE_CODE_X64}")
        set(PROGRAM_FILES_FOLDER ProgramFiles64Folder)
        set(COMMON_FILES_FOLDER CommonFiles64Folder)
        set(WIN64 yes)
        set(VST2_MODULE "${MODULES}/Halvo_64bit.dll")
        set(bundle_binaries "x86_64-win|x86-win") # 32-bit hosts on 64-bit Windows load the bundle too
    else()
        set(PRODUCT_NAME "${HALVO_PRODUCT_NAME} (32-bit)")
        set(UPGRADE_CODE "${HALVO_WINDOWS_UPGRADE_CODE_X86}")
        set(PROGRAM_FILES_FOLDER ProgramFilesFolder)
        set(COMMON_FILES_FOLDER CommonFilesFolder)
        set(WIN64 no)
        set(VST2_MODULE "${MODULES}/Halvo_32bit.dll")
        set(bundle_binaries "x86-win")
    endif()
    # The same version of a package always has the same product code: installing it again is a
    # repair, never a second copy.
    string(UUID PRODUCT_CODE NAMESPACE "${UPGRADE_CODE}" NAME "${VERSION}" TYPE SHA1 UPPER)
    file(RELATIVE_PATH place "${MODULES}" "${VST2_MODULE}")
    string(UUID VST2_COMPONENT_GUID NAMESPACE "${UPGRADE_CODE}" NAME "${place}" TYPE SHA1 UPPER)
    wixl_path("${VST2_MODULE}" VST2_MODULE)
    wixl_path("${ICON}" ICON)
    set(REGISTRY_KEY "Software\\${HALVO_MANUFACTURER}\\${HALVO_PRODUCT_NAME}")

    set(components "")
    set(component_refs "")
    add_folder("${MODULES}/Halvo.vst3" "^Halvo.vst3/Contents/((${bundle_binaries})/|Resources/)"
               "          ")
    set(VST3_BUNDLE "${components}")
    set(components "")
    foreach(preset IN LISTS presets)
        add_file_component("${preset}" shared "              ")
    endforeach()
    set(FACTORY_PRESETS "${components}")
    set(components "")
    if(presets)
        add_folder_removal(PresetsManufacturerFolder shared "            ")
    endif()
    set(PRESETS_MANUFACTURER_FOLDER "${components}")
    list(JOIN component_refs "\n" COMPONENT_REFS)

    set(source "${work}/${arch}.wxs")
    set(package "${OUTPUT}/${HALVO_PRODUCT_NAME}-${VERSION}-${arch}.msi")
    configure_file("${CMAKE_CURRENT_LIST_DIR}/Halvo.wxs.in" "${source}" @ONLY)
    execute_process(COMMAND "${WIXL}" --arch ${arch} --output "${package}" "${source}"
                    WORKING_DIRECTORY "${MODULES}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "wixl could not build ${package}")
    endif()
    # wixl marks only the upgrade properties secure; a per-machine install started by a user
    # without rights would drop a VST 2.4 folder given on the command line.
    execute_process(COMMAND "${MSIINFO}" export "${package}" Property OUTPUT_VARIABLE properties)
    string(REGEX MATCH "\nSecureCustomProperties\t([^\r\n]*)" secure "${properties}")
    execute_process(COMMAND "${MSIBUILD}" "${package}" -q
        "UPDATE `Property` SET `Value` = '${CMAKE_MATCH_1};VST2DIR' WHERE `Property` = 'SecureCustomProperties'"
        RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "msibuild could not mark VST2DIR secure in ${package}")
    endif()
    message(STATUS "Made ${package}")
endfunction()

function(make_zip)
    set(name "${HALVO_PRODUCT_NAME}-${VERSION}-windows")
    set(folder "${work}/${name}")
    file(MAKE_DIRECTORY "${folder}")
    file(COPY "${MODULES}/Halvo.vst3" "${MODULES}/Halvo_64bit.dll" "${MODULES}/Halvo_32bit.dll"
         DESTINATION "${folder}")
    set(PRESETS_TEXT "")
    file(GLOB vst2_presets "${MODULES}/presets/*.fxp")
    if(presets OR vst2_presets)
        file(COPY ${presets} ${vst2_presets} DESTINATION "${folder}/presets")
        set(PRESETS_TEXT "\npresets\\          The factory presets.")
        if(presets)
            string(APPEND PRESETS_TEXT " Copy the .vstpreset files into\n"
                "                  C:\\ProgramData\\VST3 Presets\\${HALVO_MANUFACTURER}\\${HALVO_PRODUCT_NAME}\\ where VST3 hosts list them.")
        endif()
        if(vst2_presets)
            string(APPEND PRESETS_TEXT "\n                  A VST 2.4 host opens the .fxp files from its preset menu.")
        endif()
        string(APPEND PRESETS_TEXT "\n")
    endif()
    # Windows line ends, also in the lines filled in.
    configure_file("${CMAKE_CURRENT_LIST_DIR}/README.txt.in" "${work}/README.txt" @ONLY)
    file(READ "${work}/README.txt" text)
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE "${folder}/README.txt" "${text}")
    configure_file("${source_dir}/LICENSE" "${folder}/LICENSE.txt" COPYONLY)

    set(package "${OUTPUT}/${name}.zip")
    file(REMOVE "${package}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${package}" --format=zip "${name}"
                    WORKING_DIRECTORY "${work}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "could not write ${package}")
    endif()
    message(STATUS "Made ${package}")
endfunction()

foreach(package IN LISTS PACKAGES)
    if(package STREQUAL "zip")
        make_zip()
    else()
        make_installer(${package})
    endif()
endforeach()
file(REMOVE_RECURSE "${work}")
