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

install(TARGETS kestrum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kestrum_window kestrum_network LIBRARY DESTINATION ${KESTRUM_MODULE_INSTALL_DIR})
install(FILES ${KESTRUM_PACKAGE_DATA}/rt.dt data/noon-rates-2007-11-13.html
    DESTINATION ${KESTRUM_DATA_INSTALL_DIR})
# The help page and its pictures, which the options dialog opens from here.
install(FILES docs/currency_converter.html docs/main-window.png docs/conversion.png
    docs/options.png docs/shortcuts.png docs/graphs-window.png DESTINATION ${KESTRUM_DATA_INSTALL_DIR})
foreach(size 16 24 32 48 64 128 256)
    install(FILES data/icons/hicolor/${size}x${size}/apps/${KESTRUM_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/icons/${KESTRUM_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/${KESTRUM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${KESTRUM_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrum)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kestrum developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "currency converter with the Bank of Canada's rates")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrum converts amounts between 56 currencies at the Bank of Canada's daily rates, with an
optional cash-rate fee, currency names in English and French, a window and a command line.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Kestrum developers <developers@kestrum.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
