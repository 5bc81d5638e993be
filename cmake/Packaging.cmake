# Installation into a prefix (cmake --install) and the Debian package
# (cpack -G DEB in the build folder, or tools/package.sh).
include(GNUInstallDirs)

install(TARGETS qorva-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES examples/office.id examples/parameters.txt examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw
              examples/LICENSE.Bologna.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/qorva/examples)
install(FILES packaging/qorva-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME qorva-cli)

# Manual pages, with the version filled in and compressed as Debian keeps them.
find_program(QORVA_GZIP gzip REQUIRED)
set(QORVA_MAN_PAGES)
foreach(page qorva qorva-cli)
  configure_file(docs/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
    COMMAND ${QORVA_GZIP} -9nf -k ${CMAKE_BINARY_DIR}/man/${page}.1
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1
    COMMENT "Compressing the manual page ${page}(1)")
  list(APPEND QORVA_MAN_PAGES ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(qorva-man-pages ALL DEPENDS ${QORVA_MAN_PAGES})
install(FILES ${CMAKE_BINARY_DIR}/man/qorva-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(QORVA_BUILD_GUI)
  install(TARGETS qorva RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/man/qorva.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # Desktop integration: the menu entry, the .id file type (double click opens
  # the project with "qorva %f"), the program icon and the software-centre
  # metadata. After installing into a prefix by hand, run
  # update-mime-database and update-desktop-database there; the Debian
  # package leaves that to the triggers of shared-mime-info and
  # desktop-file-utils.
  install(FILES gui/app/desktop/qorva.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES gui/app/desktop/qorva-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME qorva.xml)
  configure_file(gui/app/desktop/qorva.metainfo.xml ${CMAKE_BINARY_DIR}/desktop/org.qorva.qorva.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/desktop/org.qorva.qorva.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES gui/app/qorva.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  # The fixed-size icons are drawn from the scalable one at build time.
  add_executable(qorva-render-icon packaging/render_icon.cpp)
  target_link_libraries(qorva-render-icon PRIVATE Qt6::Gui Qt6::Svg)
  set(QORVA_ICONS)
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/qorva.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps
      COMMAND qorva-render-icon ${PROJECT_SOURCE_DIR}/gui/app/qorva.svg ${size} ${png}
      DEPENDS qorva-render-icon ${PROJECT_SOURCE_DIR}/gui/app/qorva.svg
      COMMENT "Drawing the ${size}x${size} icon")
    list(APPEND QORVA_ICONS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(qorva-icons ALL DEPENDS ${QORVA_ICONS})
endif()

# Debian's copyright file.
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/qorva)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qorva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "QORVA")
set(CPACK_PACKAGE_CONTACT "QORVA developers <qorva@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "psychrometric chart and air-conditioning process analysis")
set(CPACK_PACKAGE_DESCRIPTION
    "QORVA draws the psychrometric i-d chart of moist air and analyses air-conditioning\n"
    "processes on it for the summer and winter design conditions of every room of a\n"
    "project. qorva-cli runs its calculations, exports and analyses from scripts.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The packages of the shared libraries are found by dpkg-shlibdeps; the Qt
# plugins loaded at run time (window systems, the offscreen platform, the SVG
# icon engine) come with libqt6gui6 and libqt6svg6, which it finds too.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (standard buttons, the file chooser, the print preview) in
# the interface's language come from Qt's catalogues.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
