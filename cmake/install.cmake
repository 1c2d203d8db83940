# Installing on a workstation (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

install(TARGETS plant-client RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/plant-client.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
set(plant_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES packaging/icons/plant-client.svg DESTINATION ${plant_icons}/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES packaging/icons/plant-client-${size}.png
        DESTINATION ${plant_icons}/${size}x${size}/apps RENAME plant-client.png)
endforeach()

# Packaging takes what the build made; it does not build everything first (build plant-client,
# then run cpack).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plant-client)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Production accounting client developers <plant-client@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shop-floor production accounting client (Russian UI)")
set(CPACK_PACKAGE_DESCRIPTION
    "Records the shift journal of a piece-work plant, keeps the monthly timesheet, prints the \
period reports and writes spreadsheet workbooks, on a shared PostgreSQL database reached through \
ODBC.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The shared libraries' packages (Qt 6, unixODBC's libodbc, libxlsxwriter, the C++ run time)
# come from dpkg-shlibdeps; these are loaded at run time or are data: the Qt ODBC driver, the
# ODBC driver manager with its driver registry, the PostgreSQL ODBC driver, Qt's own Russian
# texts and the fonts of the printed reports.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-odbc, unixodbc, odbc-postgresql, qt6-translations-l10n, fonts-liberation")
include(CPack)
