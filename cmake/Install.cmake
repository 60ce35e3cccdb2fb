# Installing like a desktop program: `cmake --install` to any prefix, and a
# Debian package through CPack (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

set(TAGLOOM_APP_ID org.tagloom.Tagloom)
set(TAGLOOM_DIST ${CMAKE_CURRENT_LIST_DIR}/../dist)

target_compile_definitions(tagloom PRIVATE TAGLOOM_VERSION="${PROJECT_VERSION}")
# The installed program finds its shipped data files from its own bin folder,
# so the install can be moved to any prefix.
file(RELATIVE_PATH TAGLOOM_SHARE_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/tagloom)
set_property(SOURCE src/platform/Settings.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS TAGLOOM_SHARE_FROM_BIN="${TAGLOOM_SHARE_FROM_BIN}")

# Debian wants the man page and the changelog compressed, without a time stamp.
set(TAGLOOM_GZ ${CMAKE_CURRENT_BINARY_DIR}/gz)
foreach(f tagloom.1 changelog)
  add_custom_command(OUTPUT ${TAGLOOM_GZ}/${f}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${TAGLOOM_DIST}/${f} ${TAGLOOM_GZ}/${f}
    COMMAND gzip -9nf ${TAGLOOM_GZ}/${f}
    DEPENDS ${TAGLOOM_DIST}/${f})
endforeach()
add_custom_target(tagloom_gz ALL DEPENDS ${TAGLOOM_GZ}/tagloom.1.gz ${TAGLOOM_GZ}/changelog.gz)

install(TARGETS tagloom RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TAGLOOM_DATA} DESTINATION ${CMAKE_INSTALL_DATADIR}/tagloom)
install(FILES ${TAGLOOM_DIST}/${TAGLOOM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAGLOOM_DIST}/${TAGLOOM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TAGLOOM_DIST}/icons/tagloom.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${TAGLOOM_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${TAGLOOM_DIST}/icons/tagloom-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${TAGLOOM_APP_ID}.png)
endforeach()
install(FILES ${TAGLOOM_GZ}/tagloom.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian looks for these under the package name.
install(FILES ${TAGLOOM_DIST}/copyright ${TAGLOOM_GZ}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tagloom)

set(CPACK_PACKAGE_NAME tagloom)
set(CPACK_PACKAGE_VENDOR "The Tagloom developers")
set(CPACK_PACKAGE_CONTACT "The Tagloom developers <dev@tagloom.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for hand-written HTML pages")
set(CPACK_PACKAGE_DESCRIPTION "Tagloom is a desktop editor for people who write HTML by hand.
One main window holds many document windows; the editor paints the markup in
the colours of the user's own colour rules, and menus, hotkeys and element
dialogs write markup at the caret or around the selected text.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_LIST_DIR}/../LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tagloom.org)
# The library packages (Qt, QScintilla, libjpeg, giflib) come from dpkg-shlibdeps;
# the window-system plugin for X11 ships inside libqt6gui6, which that finds too.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a theme holding the hicolor folders the desktop shows no icon; on a
# Wayland desktop Qt wants its own plugin, else it falls back to XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, qt6-wayland")
include(CPack)

add_test(NAME desktop_files COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tests/install/validate_desktop_files.sh ${TAGLOOM_DIST})
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
  add_test(NAME installed_program
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tests/install/installed_program.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(installed_program PROPERTIES TIMEOUT 180 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
