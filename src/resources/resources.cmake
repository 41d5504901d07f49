# The pictures are painted by tools/artwork at build time; the fonts are Debian's Roboto
# (fonts-roboto-unhinted). Both are compiled into the plug-in as EmbeddedResources.
if(CMAKE_CROSSCOMPILING)
    # The painter runs during the build: a cross build takes the build machine's one.
    set(HALVO_ARTWORK_PAINTER "" CACHE FILEPATH "halvo-artwork built for the build machine")
    add_executable(halvo-artwork IMPORTED)
    set_target_properties(halvo-artwork PROPERTIES IMPORTED_LOCATION "${HALVO_ARTWORK_PAINTER}")
else()
    add_subdirectory("${PROJECT_SOURCE_DIR}/tools/artwork" "${CMAKE_BINARY_DIR}/tools/artwork")
endif()

set(HALVO_ROBOTO_DIR "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF"
    CACHE PATH "Folder holding Roboto-Regular.ttf and Roboto-Light.ttf")
set(HALVO_FONT_FILES
    "${HALVO_ROBOTO_DIR}/Roboto-Regular.ttf"
    "${HALVO_ROBOTO_DIR}/Roboto-Light.ttf")
foreach(font IN LISTS HALVO_FONT_FILES)
    if(NOT EXISTS "${font}")
        message(FATAL_ERROR "${font} is missing: install Debian's fonts-roboto-unhinted "
                            "or point HALVO_ROBOTO_DIR at a folder with Roboto-Regular.ttf and Roboto-Light.ttf")
    endif()
endforeach()

set(HALVO_ARTWORK_DIR "${CMAKE_CURRENT_BINARY_DIR}/artwork")
set(HALVO_ARTWORK_FILES)
# Each picture twice: at its size in the window, and at twice that for screens with two device
# pixels per window pixel ("_2x").
foreach(name
        editorBackground.jpg
        waveSine.png waveSineDown.png waveSaw.png waveSawDown.png waveSquare.png waveSquareDown.png
        aboutPanel.png
        Boutonalu_50x50.png Boutonvert_40x40.png Boutonrouge_40x40.png)
    string(REGEX REPLACE "\\.([a-z]+)$" "_2x.\\1" name2x "${name}")
    list(APPEND HALVO_ARTWORK_FILES "${HALVO_ARTWORK_DIR}/${name}" "${HALVO_ARTWORK_DIR}/${name2x}")
endforeach()

add_custom_command(OUTPUT ${HALVO_ARTWORK_FILES}
    COMMAND halvo-artwork "${HALVO_ARTWORK_DIR}" ${HALVO_FONT_FILES}
    DEPENDS halvo-artwork ${HALVO_FONT_FILES}
    COMMENT "Painting the editor artwork"
    VERBATIM)

# The app icon (menu entry, Windows installers) is this square of the about card: the logo.
set(HALVO_APP_ICON_SOURCE "${HALVO_ARTWORK_DIR}/aboutPanel.png")
set(HALVO_APP_ICON_CROP "64x64+78+10")

file(MAKE_DIRECTORY "${HALVO_ARTWORK_DIR}")
# juce_add_binary_data insists that its inputs exist when CMake runs; empty stand-ins are replaced
# by the painter before anything reads them.
foreach(file IN LISTS HALVO_ARTWORK_FILES)
    if(NOT EXISTS "${file}")
        file(TOUCH "${file}")
    endif()
endforeach()

juce_add_binary_data(HalvoResources
    NAMESPACE EmbeddedResources
    HEADER_NAME EmbeddedResources.h
    SOURCES ${HALVO_ARTWORK_FILES} ${HALVO_FONT_FILES})

# JUCE's step only watches its list of inputs; make it follow the files themselves.
add_custom_command(OUTPUT "${CMAKE_CURRENT_BINARY_DIR}/juce_binarydata_HalvoResources/JuceLibraryCode/BinaryData1.cpp"
    APPEND
    DEPENDS ${HALVO_ARTWORK_FILES} ${HALVO_FONT_FILES})

set_target_properties(HalvoResources PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(HalvoResources INTERFACE "${CMAKE_CURRENT_SOURCE_DIR}/resources")

set(HALVO_RESOURCE_TARGETS HalvoResources)
# Tests and tools reach EmbeddedResources.h through the plug-in's shared code.
target_link_libraries(Halvo PUBLIC HalvoResources)
