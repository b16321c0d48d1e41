# Installation and the Debian package (cpack -G DEB in the build folder).
#
# The program's shared libraries are private to it: they go to <libdir>/zelt-orcamentos,
# not to the system's library folder, and the programs and libraries find them through
# a RUNPATH relative to their own place ($ORIGIN), so that the installed tree works
# wherever it lands: /usr from the package, ~/.local from cmake --install, or a
# scratch folder where dpkg-deb -x unpacked it.

include(GNUInstallDirs)

set(ZELT_PASTA_DAS_BIBLIOTECAS ${CMAKE_INSTALL_LIBDIR}/zelt-orcamentos)
file(RELATIVE_PATH _zelt_de_bin_para_bibliotecas /${CMAKE_INSTALL_BINDIR} /${ZELT_PASTA_DAS_BIBLIOTECAS})

set(_zelt_programas zelt_host zelt_importar)
set(_zelt_bibliotecas zelt_contracts zelt_platform zelt_controls zelt_reports zelt_business ZELT_A_Orcamentos)
set_target_properties(${_zelt_programas} PROPERTIES INSTALL_RPATH "$ORIGIN/${_zelt_de_bin_para_bibliotecas}")
set_target_properties(${_zelt_bibliotecas} PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS ${_zelt_programas} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Nothing links against the component from outside: no development links.
install(TARGETS ${_zelt_bibliotecas} LIBRARY DESTINATION ${ZELT_PASTA_DAS_BIBLIOTECAS} NAMELINK_SKIP)
install(FILES ${CMAKE_SOURCE_DIR}/host/desktop/zelt-orcamentos.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/host/desktop/zelt-orcamentos.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/negocio.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelt-orcamentos)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelt-orcamentos)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ZELT)
set(CPACK_PACKAGE_CONTACT "Equipe ZELT <orcamentos@zelt.invalid>" CACHE STRING "Maintainer of the package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Orçamentos de clínicas veterinárias e pet shops")
set(CPACK_PACKAGE_DESCRIPTION
    "The quotes of a veterinary clinic or pet shop at the counter: the list of quotes, \
the record form of a quote with its services and products, the search of clients, \
products and services, the printed list and quote sheet. Keeps its data in a SQLite \
file or on a PostgreSQL server; zelt_importar loads a clinic's registry from CSV files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The build keeps its debugging symbols; the package does not.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt libraries the programs link come from dpkg-shlibdeps; the plugins they load
# at run time are declared here: the SQLite driver of the default database and the
# fonts the reports are measured with; the PostgreSQL driver for clinics on a server.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation")
# xdg-utils: xdg-email and xdg-open, through which a quote is sent to its client.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, xdg-utils")
include(CPack)
