# Install layout and the Debian package.
#   bin/korven2012, bin/korven                the programs
#   lib/korven/Korven2012_DLL.so              the engine, found by the programs in ../lib/korven
#   share/doc/korven/                          guide, methods, verification report, examples
#   share/applications, share/icons, share/mime  desktop entry, icon and the .kvd file type
include(GNUInstallDirs)

install(TARGETS korven RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS Korven2012_DLL LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/korven)
if(KORVEN_FRONTEND)
    install(TARGETS korven2012 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(KORVEN_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/korven)
install(FILES ${CMAKE_SOURCE_DIR}/examples/README.md DESTINATION ${KORVEN_DOCDIR}/examples)
file(GLOB KORVEN_EXAMPLES ${CMAKE_SOURCE_DIR}/examples/*.kvd)
install(FILES ${KORVEN_EXAMPLES} DESTINATION ${KORVEN_DOCDIR}/examples)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${KORVEN_DOCDIR})

install(FILES ${CMAKE_SOURCE_DIR}/packaging/korven2012.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/korven2012.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/korven-project.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

set(CPACK_PACKAGE_NAME korven)
set(CPACK_PACKAGE_VENDOR Pravex)
set(CPACK_PACKAGE_CONTACT "KORVEN developers <korven@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analysis of drilled shafts under vertical load")
set(CPACK_PACKAGE_DESCRIPTION
    "Side, tip and total capacity of drilled shafts (bored piles) against length for a range of
diameters, load-settlement curves and a fixed-format report, for layered soil and rock profiles;
a desktop program, a command-line runner and the computation engine.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, shared-mime-info, desktop-file-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
