# Installation and the Debian package. `cmake --install` puts the program in
# bin/, its data in share/korvane/ (where the program finds it beside itself:
# ../share/korvane), the menu entry, the icon and the man page in the
# freedesktop places. `cpack` makes korvane_<version>_<arch>.deb for /usr.

set(KORVANE_ICON_SIZES 32 128)
set(korvane_desktop_outputs)
foreach(size ${KORVANE_ICON_SIZES})
  set(png ${PROJECT_BINARY_DIR}/icons/${size}/korvane.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}
    COMMAND kv_iconpng ${PROJECT_SOURCE_DIR}/KVIcon.bmp ${png} ${size}
    DEPENDS kv_iconpng ${PROJECT_SOURCE_DIR}/KVIcon.bmp
    COMMENT "Desktop icon ${size} x ${size}"
    VERBATIM)
  list(APPEND korvane_desktop_outputs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

configure_file(${PROJECT_SOURCE_DIR}/packaging/korvane.6.in ${PROJECT_BINARY_DIR}/korvane.6 @ONLY)
set(man_page ${PROJECT_BINARY_DIR}/korvane.6.gz)
add_custom_command(OUTPUT ${man_page}
  COMMAND sh -c "gzip -9 -n -c korvane.6 > korvane.6.gz"
  DEPENDS ${PROJECT_BINARY_DIR}/korvane.6
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  COMMENT "Man page"
  VERBATIM)
list(APPEND korvane_desktop_outputs ${man_page})
add_custom_target(korvane_desktop_files ALL DEPENDS ${korvane_desktop_outputs})
# Whatever builds the program (the play command builds it alone) makes what
# the install takes from the build folder too, so that `cmake --install`
# works right after it.
add_dependencies(korvane korvane_desktop_files)

install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES KVIcon.bmp DESTINATION ${CMAKE_INSTALL_DATADIR}/korvane)
install(DIRECTORY Data DESTINATION ${CMAKE_INSTALL_DATADIR}/korvane)
install(FILES packaging/korvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "Korvane developers")
set(CPACK_PACKAGE_CONTACT "Korvane developers <korvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based tank-tactics game against the computer")
set(CPACK_PACKAGE_DESCRIPTION "Two teams of 1 to 10 tanks fight on a square grid: yours and the computer's.
Queue commands for each tank, then run the turn for both teams at once; each
team sees only what its tanks see. Hold the centre or destroy every enemy.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# dpkg-shlibdeps reads the libraries the program links: SDL, SDL_image,
# SDL_mixer, OpenGL, FreeType and the C++ runtime.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens the OpenGL library itself when it makes the game's window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
set(CPACK_STRIP_FILES ON)
include(CPack)
