# Installation and the Debian package (cpack -G DEB in the build folder).
#
# The program's shared libraries are private to it: they go to <libdir>/zelt-orcamentos,
# not to the system's library folder, and the programs and libraries find them through
# a RUNPATH relative to their own place ($ORIGIN), so that the installed tree works
# wherever it lands: /usr from the package, ~/.local from cmake --install, or a
# scratch folder where dpkg-deb -x unpacked it.

include(GNUInstallDirs)

# On Debian the private folder sits in the multiarch one, /usr/lib/<triplet>/zelt-orcamentos,
# as Debian keeps private libraries; then cpack adds no ldconfig call to the package's
# scripts either (ldconfig has nothing to do with a private folder).
if(CMAKE_LIBRARY_ARCHITECTURE)
    set(ZELT_PASTA_DAS_BIBLIOTECAS lib/${CMAKE_LIBRARY_ARCHITECTURE}/zelt-orcamentos)
else()
    set(ZELT_PASTA_DAS_BIBLIOTECAS ${CMAKE_INSTALL_LIBDIR}/zelt-orcamentos)
endif()
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
install(FILES ${CMAKE_SOURCE_DIR}/pacote/zelt-orcamentos.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME br.com.zelt.orcamentos.metainfo.xml)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/negocio.md ${CMAKE_SOURCE_DIR}/pacote/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelt-orcamentos)
# The user's guide the program opens on F1 (component/modAjuda.cpp), with the pictures it
# shares with the README, in the same places relative to each other as in docs/. The
# program looks for it beside its own folder, <bin>/../share/doc/zelt-orcamentos/guia; the
# build tree gets the same layout as links to the sources, so that build/host/zelt_host
# shows the guide as it is being written.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/guia ${CMAKE_SOURCE_DIR}/docs/imagens
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelt-orcamentos)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/share/doc/zelt-orcamentos)
foreach(_zelt_pasta guia imagens)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/docs/${_zelt_pasta} ${CMAKE_BINARY_DIR}/share/doc/zelt-orcamentos/${_zelt_pasta}
         SYMBOLIC)
endforeach()

# The manual pages and the changelog go compressed, as Debian has them: gzip -9n,
# without a name or a time stamp, so that two builds give the same bytes.
set(_zelt_comprimidos)
foreach(_zelt_arquivo zelt_host.1 zelt_importar.1 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/pacote/${_zelt_arquivo}.gz
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/pacote
                       COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/pacote/${_zelt_arquivo} > ${CMAKE_BINARY_DIR}/pacote/${_zelt_arquivo}.gz
                       DEPENDS ${CMAKE_SOURCE_DIR}/pacote/${_zelt_arquivo} VERBATIM)
    list(APPEND _zelt_comprimidos ${CMAKE_BINARY_DIR}/pacote/${_zelt_arquivo}.gz)
endforeach()
add_custom_target(zelt_documentos_do_pacote ALL DEPENDS ${_zelt_comprimidos})
install(FILES ${CMAKE_BINARY_DIR}/pacote/zelt_host.1.gz ${CMAKE_BINARY_DIR}/pacote/zelt_importar.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/pacote/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelt-orcamentos)

# Debian's hardening of what the package installs: relocations read-only and bound at
# start (lintian warns without them).
foreach(_zelt_alvo ${_zelt_programas} ${_zelt_bibliotecas})
    target_link_options(${_zelt_alvo} PRIVATE -Wl,-z,relro -Wl,-z,now)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelt-orcamentos)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ZELT)
set(CPACK_PACKAGE_CONTACT "Equipe ZELT <orcamentos@zelt.invalid>" CACHE STRING "Maintainer of the package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Orçamentos de clínicas veterinárias e pet shops")
# Lines of at most 80 characters: the control file keeps them as written.
set(CPACK_PACKAGE_DESCRIPTION
    "The quotes of a veterinary clinic or pet shop at the counter: the list of
quotes, the record form of a quote with its services and products, the search
of clients, products and services, the printed list and quote sheet. Keeps its
data in a SQLite file or on a PostgreSQL server; zelt_importar loads a clinic's
registry from CSV files. In Brazilian Portuguese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The build keeps its debugging symbols; the package does not.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt libraries the programs link come from dpkg-shlibdeps; the plugins they load
# at run time are declared here: the SQLite driver of the default database and the
# fonts the reports are measured with; Qt's own texts in Portuguese (the standard
# dialogs' buttons, the print dialog, the command line's help). The PostgreSQL client
# library (libpq5), which the business layer's own driver links, comes from shlibdeps,
# and so does the QR code generator (libqrcodegencpp1) the platform links for the PIX code.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation, qt6-translations-l10n")
# xdg-utils: xdg-email and xdg-open, through which a quote is sent to its client.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
