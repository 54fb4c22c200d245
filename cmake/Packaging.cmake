# Install layout and the Debian package (cpack -G DEB, or scripts/package.sh).

# The starter rates an installed copy gives each user on the first start,
# always staged afresh from the sample page (the build tree's rt.dt may hold
# downloaded rates).
set(KESTRUM_PACKAGE_DATA ${PROJECT_BINARY_DIR}/package-data)
add_custom_target(kestrum_packaged_rates ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRUM_PACKAGE_DATA}
    COMMAND ${CMAKE_COMMAND} -DKESTRUM=$<TARGET_FILE:kestrum>
            -DPAGE=${PROJECT_SOURCE_DIR}/data/noon-rates-2007-11-13.html
            -DDIR=${KESTRUM_PACKAGE_DATA}
            -P ${PROJECT_SOURCE_DIR}/cmake/StageStarterRates.cmake
    COMMENT "Staging the packaged starter rates"
    VERBATIM)
add_dependencies(kestrum_packaged_rates kestrum)

configure_file(data/${KESTRUM_APP_ID}.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/${KESTRUM_APP_ID}.metainfo.xml @ONLY)

# The manual page and the bash completion are read off the built program's
# --help, so a new command or option appears in both by itself.
find_program(KESTRUM_HELP2MAN help2man REQUIRED)
set(KESTRUM_DOCS_DIR ${PROJECT_BINARY_DIR}/package-docs)
set(KESTRUM_COMMAND_DOCS ${PROJECT_SOURCE_DIR}/cmake/command-docs.sh)
add_custom_command(OUTPUT ${KESTRUM_DOCS_DIR}/kestrum.1 ${KESTRUM_DOCS_DIR}/kestrum.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRUM_DOCS_DIR}
    COMMAND ${KESTRUM_COMMAND_DOCS} man $<TARGET_FILE:kestrum> ${PROJECT_SOURCE_DIR}/data/kestrum.h2m
            ${KESTRUM_RELEASE_DATE} ${KESTRUM_DOCS_DIR}/kestrum.1
    COMMAND gzip -9nf -k ${KESTRUM_DOCS_DIR}/kestrum.1
    DEPENDS kestrum ${KESTRUM_COMMAND_DOCS} ${PROJECT_SOURCE_DIR}/data/kestrum.h2m
    COMMENT "Generating the manual page kestrum.1"
    VERBATIM)
add_custom_command(OUTPUT ${KESTRUM_DOCS_DIR}/kestrum.bash
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRUM_DOCS_DIR}
    COMMAND ${KESTRUM_COMMAND_DOCS} completion $<TARGET_FILE:kestrum>
            ${PROJECT_SOURCE_DIR}/data/kestrum.bash-completion.in ${KESTRUM_DOCS_DIR}/kestrum.bash
    DEPENDS kestrum ${KESTRUM_COMMAND_DOCS} ${PROJECT_SOURCE_DIR}/data/kestrum.bash-completion.in
    COMMENT "Generating the bash completion"
    VERBATIM)

# The package's maintainer: given, else Debian's DEBFULLNAME and DEBEMAIL,
# else the account that builds it (scripts/package.sh says so).
set(KESTRUM_PACKAGE_MAINTAINER "" CACHE STRING
    "Maintainer of the Debian package, \"Name <address>\"")
if(NOT KESTRUM_PACKAGE_MAINTAINER)
    if(DEFINED ENV{DEBEMAIL} AND "$ENV{DEBEMAIL}" MATCHES "<")
        set(KESTRUM_PACKAGE_MAINTAINER "$ENV{DEBEMAIL}")
    elseif(DEFINED ENV{DEBEMAIL} AND DEFINED ENV{DEBFULLNAME})
        set(KESTRUM_PACKAGE_MAINTAINER "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
    else()
        cmake_host_system_information(RESULT host QUERY FQDN)
        execute_process(COMMAND id -un OUTPUT_VARIABLE user OUTPUT_STRIP_TRAILING_WHITESPACE)
        set(KESTRUM_PACKAGE_MAINTAINER "${user} <${user}@${host}>")
    endif()
endif()
# A native package's changelog, dated by the release.
execute_process(COMMAND date -u -R -d ${KESTRUM_RELEASE_DATE}
    OUTPUT_VARIABLE KESTRUM_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(data/debian/changelog.in ${KESTRUM_DOCS_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${KESTRUM_DOCS_DIR}/changelog.gz
    COMMAND gzip -9nf -k ${KESTRUM_DOCS_DIR}/changelog
    DEPENDS ${KESTRUM_DOCS_DIR}/changelog
    VERBATIM)
add_custom_target(kestrum_package_docs ALL DEPENDS ${KESTRUM_DOCS_DIR}/kestrum.1.gz
    ${KESTRUM_DOCS_DIR}/kestrum.bash ${KESTRUM_DOCS_DIR}/changelog.gz)

install(TARGETS kestrum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kestrum_window kestrum_network kestrum_graphs_module LIBRARY DESTINATION ${KESTRUM_MODULE_INSTALL_DIR})
install(FILES ${KESTRUM_PACKAGE_DATA}/rt.dt data/noon-rates-2007-11-13.html
    DESTINATION ${KESTRUM_DATA_INSTALL_DIR})
# The help page and its pictures, which the options dialog opens from here.
install(FILES docs/currency_converter.html docs/currency_converter_fr.html docs/main-window.png
    docs/main-window-fr.png docs/conversion.png docs/options.png docs/shortcuts.png
    docs/graphs-window.png DESTINATION ${KESTRUM_DATA_INSTALL_DIR})
foreach(size 16 24 32 48 64 128 256)
    install(FILES data/icons/hicolor/${size}x${size}/apps/${KESTRUM_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/icons/${KESTRUM_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/${KESTRUM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${KESTRUM_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KESTRUM_DOCS_DIR}/kestrum.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KESTRUM_DOCS_DIR}/kestrum.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    RENAME kestrum)
install(FILES data/debian/copyright ${KESTRUM_DOCS_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrum)
install(FILES data/debian/kestrum.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME kestrum)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrum)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Kestrum authors")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "currency converter with the Bank of Canada's rates")
# Lines of at most 80 columns: the control file keeps them as they are.
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrum converts amounts between 56 currencies at the daily rates of the
Bank of Canada or the European Central Bank, with an optional cash-rate fee
and currency names in English and French. It has a window and a command line.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTRUM_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SQLite and libcurl are opened at run time, so the library scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsqlite3-0, libcurl4")
# Help, Software and Email hand their page to xdg-open; Qt's own French
# names the standard buttons in the French window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
