# Desktop integration and the Debian package: the launcher entry, the icons in
# the hicolor theme, the AppStream description, the manual page, the
# copyright and changelog. The program, its sound backend and its wave files
# install from src/qt.

foreach(entry desktop metainfo.xml)
    configure_file(assets/desktop/velmora.${entry}.in ${PROJECT_BINARY_DIR}/desktop/${VELMORA_APP_ID}.${entry} @ONLY)
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/desktop/${VELMORA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_BINARY_DIR}/desktop/${VELMORA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(png ${VELMORA_ICON_FILES})
    get_filename_component(size_folder ${png} DIRECTORY)
    get_filename_component(size_folder ${size_folder} NAME)
    install(FILES ${png} DESTINATION share/icons/hicolor/${size_folder}/apps)
endforeach()
install(FILES assets/icons/velmora.svg DESTINATION share/icons/hicolor/scalable/apps RENAME ${VELMORA_APP_ID}.svg)

# The manual page and the changelog, compressed the way Debian wants them:
# the most, and without a time stamp.
find_program(VELMORA_GZIP gzip REQUIRED)
set(docs ${PROJECT_BINARY_DIR}/docs)
add_custom_command(OUTPUT ${docs}/velmora.6.gz ${docs}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${docs}
    COMMAND ${VELMORA_GZIP} -9nc ${PROJECT_SOURCE_DIR}/assets/man/velmora.6 > ${docs}/velmora.6.gz
    COMMAND ${VELMORA_GZIP} -9nc ${PROJECT_SOURCE_DIR}/assets/debian/changelog > ${docs}/changelog.gz
    DEPENDS assets/man/velmora.6 assets/debian/changelog
    COMMENT "Compressing the manual page and the changelog")
add_custom_target(velmora_docs ALL DEPENDS ${docs}/velmora.6.gz ${docs}/changelog.gz)
install(FILES ${docs}/velmora.6.gz DESTINATION share/man/man6)
install(FILES ${docs}/changelog.gz assets/debian/copyright DESTINATION share/doc/velmora)

# A Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "Velmora developers <developers@velmora.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary, then the long description in lines of at most 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Towers of Hanoi played with the keyboard against the clock
Move the tower of disks from the left peg to the right one, one disk at a
time and never a larger disk on a smaller one, before the time runs out.
The arrow keys move the cursor and Space lifts or sets down a disk; an
options panel sets the time limit and the number of disks. Short sounds
play on each move and at the end. The texts of the game are in Romanian.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin comes with libqt6gui6, which the program links.
# Recommended: the Wayland platform plugin, so that Wayland desktops run the
# game natively, and the PulseAudio client that SDL plays through.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, libpulse0")
include(CPack)
