# Installation and the Debian package. Everything the programs read beside themselves (the sample
# database with its index, the language modules and the help pages) goes into one folder,
# lib/stavbas, with the programs; bin/ holds links to them. The desktop entry, icons and AppStream
# file go where the desktop looks for them.
include(GNUInstallDirs)
set(STAVBAS_HOME ${CMAKE_INSTALL_LIBDIR}/stavbas)
set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

install(TARGETS stavbas stavbas-cli RUNTIME DESTINATION ${STAVBAS_HOME})
install(DIRECTORY ${bin}/ DESTINATION ${STAVBAS_HOME}
  FILES_MATCHING PATTERN "STAVBAS.*" PATTERN "stavbas.en" PATTERN "stavbas.sve"
  REGEX "/help/.*" PATTERN "CMakeFiles" EXCLUDE)
foreach(program stavbas stavbas-cli)
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${STAVBAS_HOME}/${program}
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\" SYMBOLIC)")
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/data/linux/org.stavbas.Stavbas.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/linux/org.stavbas.Stavbas.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(icon_svg ${PROJECT_SOURCE_DIR}/src/app/gui/icons/stavbas.svg)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME org.stavbas.Stavbas.svg)

# PNG sizes of the icon, drawn from the SVG at build time.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_pngs)
foreach(size 16 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}/org.stavbas.Stavbas.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
    DEPENDS ${icon_svg})
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(stavbas_icons ALL DEPENDS ${icon_pngs})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stavbas)
set(CPACK_PACKAGE_VENDOR "Stavbas")
set(CPACK_PACKAGE_CONTACT "Stavbas <felrapport@stavbas.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Search, read and export a runic inscription database")
set(CPACK_PACKAGE_INSTALL_DIRECTORY stavbas)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SVG icon engine and libgsf are loaded at run time, so no library link shows them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins, ${GSF_DEBIAN_PACKAGE}")
include(CPack)
