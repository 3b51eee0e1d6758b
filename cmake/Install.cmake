# What Quillet ships besides the program: the product web pages, the desktop
# entry, the MIME type of .quillet documents and the icons.
#
# The program finds its web pages in share/quillet/site beside the folder of its
# executable (src/platform/ProductSite.h), so the pages are laid out the same way
# in the build tree (build/bin/quillet -> build/share/quillet/site) and in an
# installed prefix (<prefix>/bin/quillet -> <prefix>/share/quillet/site).
include(GNUInstallDirs)

set(QUILLET_SITE_SOURCE_DIR ${CMAKE_SOURCE_DIR}/site)
set(QUILLET_SITE_BUILD_DIR ${CMAKE_BINARY_DIR}/share/quillet/site)
set(QUILLET_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# --- product web pages in the build tree -------------------------------------
# Copied afresh whenever a page changes (the glob is re-checked at build time),
# so a removed page does not linger in the build tree either.
file(GLOB_RECURSE quillet_site_files CONFIGURE_DEPENDS ${QUILLET_SITE_SOURCE_DIR}/*)
set(quillet_site_stamp ${CMAKE_BINARY_DIR}/CMakeFiles/quillet_site.stamp)
add_custom_command(
    OUTPUT ${quillet_site_stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${QUILLET_SITE_BUILD_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${QUILLET_SITE_SOURCE_DIR} ${QUILLET_SITE_BUILD_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${quillet_site_stamp}
    DEPENDS ${quillet_site_files}
    COMMENT "Copying the product web pages to share/quillet/site"
    VERBATIM)
add_custom_target(quillet_site ALL DEPENDS ${quillet_site_stamp})

# --- installation -------------------------------------------------------------
# The program's own install(TARGETS) rule stands beside its target in src/app.
install(DIRECTORY ${QUILLET_SITE_SOURCE_DIR}/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/quillet/site)

install(FILES ${QUILLET_PACKAGING_DIR}/quillet.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# shared-mime-info reads every <package>.xml in mime/packages.
install(FILES ${QUILLET_PACKAGING_DIR}/quillet-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME quillet.xml)

install(DIRECTORY ${QUILLET_PACKAGING_DIR}/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# A plain `cmake --install` into a prefix (say /usr/local) also refreshes that
# prefix's MIME and desktop-entry caches, so file managers know .quillet files
# at once. Package builds install into a DESTDIR and leave this to the package's
# own triggers.
install(CODE "set(QUILLET_INSTALL_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
        set(datadir "${QUILLET_INSTALL_DATADIR}")
        if(NOT IS_ABSOLUTE "${datadir}")
            set(datadir "${CMAKE_INSTALL_PREFIX}/${datadir}")
        endif()
        find_program(QUILLET_UPDATE_MIME_DATABASE update-mime-database)
        find_program(QUILLET_UPDATE_DESKTOP_DATABASE update-desktop-database)
        if(QUILLET_UPDATE_MIME_DATABASE)
            message(STATUS "Updating the MIME database in ${datadir}/mime")
            execute_process(COMMAND ${QUILLET_UPDATE_MIME_DATABASE} "${datadir}/mime")
        endif()
        if(QUILLET_UPDATE_DESKTOP_DATABASE)
            message(STATUS "Updating the desktop entry cache in ${datadir}/applications")
            execute_process(COMMAND ${QUILLET_UPDATE_DESKTOP_DATABASE} "${datadir}/applications")
        endif()
    endif()
]])
