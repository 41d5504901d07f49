# System-wide install (cmake --install) and the Debian package (cpack -G DEB). Plug-ins go where
# Linux hosts look for them under the prefix: lib/vst3, lib/lv2 and lib/vst.
install(DIRECTORY
    "$<TARGET_GENEX_EVAL:Halvo_VST3,$<TARGET_PROPERTY:Halvo_VST3,JUCE_PLUGIN_ARTEFACT_FILE>>"
    DESTINATION lib/vst3 USE_SOURCE_PERMISSIONS)
install(DIRECTORY "$<TARGET_FILE_DIR:Halvo_LV2>" DESTINATION lib/lv2 USE_SOURCE_PERMISSIONS)
if(TARGET Halvo_VST)
    install(FILES "$<TARGET_FILE:Halvo_VST>" DESTINATION lib/vst RENAME Halvo.so)
endif()
install(TARGETS Halvo_Standalone halvo-render RUNTIME DESTINATION bin)
# The factory presets (the LV2 ones travel in the bundle): VST3 presets where VST3 hosts look for a
# plug-in's presets, the VST 2.4 program files beside them.
install(DIRECTORY "${HALVO_PRESETS_DIR}/${HALVO_PRODUCT_NAME}/"
    DESTINATION "share/vst3/presets/${HALVO_MANUFACTURER}/${HALVO_PRODUCT_NAME}")

# The Standalone's menu entry and icon (the logo of the about card), and the renderer's manual.
set(packaging_dir "${CMAKE_BINARY_DIR}/packaging")
get_directory_property(icon_source DIRECTORY src DEFINITION HALVO_APP_ICON_SOURCE)
get_directory_property(icon_crop DIRECTORY src DEFINITION HALVO_APP_ICON_CROP)
add_custom_command(OUTPUT "${packaging_dir}/halvo.png"
    COMMAND convert "${icon_source}" -crop ${icon_crop} +repage
            -resize 128x128 "${packaging_dir}/halvo.png"
    DEPENDS "${icon_source}"
    COMMENT "Cutting the app icon from the artwork"
    VERBATIM)
# A cross build asks its renderer for the manual's text through the emulator.
string(JOIN " " render_emulator ${CMAKE_CROSSCOMPILING_EMULATOR})
add_custom_command(OUTPUT "${packaging_dir}/halvo-render.1"
    COMMAND "${CMAKE_COMMAND}" "-DRENDER=$<TARGET_FILE:halvo-render>" "-DEMULATOR=${render_emulator}"
            "-DVERSION=${PROJECT_VERSION}" "-DOUTPUT=${packaging_dir}/halvo-render.1"
            -P "${PROJECT_SOURCE_DIR}/packaging/ManPage.cmake"
    DEPENDS halvo-render "${PROJECT_SOURCE_DIR}/packaging/ManPage.cmake"
    COMMENT "Writing the halvo-render manual page"
    VERBATIM)
add_custom_target(halvo-install-files ALL
    DEPENDS "${packaging_dir}/halvo.png" "${packaging_dir}/halvo-render.1")
add_dependencies(halvo-install-files Halvo) # which paints the artwork first

install(FILES packaging/halvo.desktop DESTINATION share/applications)
install(FILES "${packaging_dir}/halvo.png" DESTINATION share/icons/hicolor/128x128/apps)
install(FILES "${packaging_dir}/halvo-render.1" DESTINATION share/man/man1)

set(CPACK_PACKAGE_NAME halvo)
set(CPACK_PACKAGE_VENDOR "${HALVO_MANUFACTURER}")
set(CPACK_PACKAGE_VERSION "${HALVO_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Monophonic sweep synthesizer (VST3, VST 2.4, LV2, Standalone)")
set(CPACK_PACKAGE_DESCRIPTION
    "One oscillator whose pitch an LFO sweeps up and down, a gliding feedback delay and a\n"
    "feedback-delay-network reverb, as VST3, VST 2.4 and LV2 plug-ins, a Standalone app (ALSA or\n"
    "JACK) and the offline renderer halvo-render.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
endif()
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HALVO_MANUFACTURER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${HALVO_WEBSITE}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "jackd2 | pipewire-jack")
include(CPack)
