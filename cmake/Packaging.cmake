# Installation as a desktop program and its Debian package:
#   /usr/bin/quantorix, /usr/bin/quantorix-cli
#   /usr/share/quantorix/   the shared defaults a per-user program folder is filled from
#   the desktop entry, its icons, the ".bsl" MIME type, AppStream metainfo, man pages.
# "cmake --build build --target package" (or scripts/package) writes the .deb.
include(GNUInstallDirs)

set(QX_APP_ID org.quantorix.Quantorix)
set(QX_LINUX_DATA ${PROJECT_SOURCE_DIR}/data/linux)
set(QX_PACKAGE_WORK ${CMAKE_BINARY_DIR}/packaging)
set(QX_SHARED_DEFAULTS ${CMAKE_INSTALL_DATADIR}/quantorix)

# The programs and the shared defaults (what the build lays out in bin/).
install(TARGETS quantorix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QX_PROGRAM_DIR}/brisel.dat ${QX_PROGRAM_DIR}/quantorix.ini
              ${QX_PROGRAM_DIR}/quantorix.lna ${QX_PROGRAM_DIR}/Deutsch.lng
        DESTINATION ${QX_SHARED_DEFAULTS})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Reports DESTINATION ${QX_SHARED_DEFAULTS}
        FILES_MATCHING PATTERN "*.xml")
# The user's guide (data/Help: one HTML file per language and its pictures),
# beside the language files as the help opener expects.
file(GLOB qx_help_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/Help/*)
if(qx_help_files)
    install(FILES ${qx_help_files} DESTINATION ${QX_SHARED_DEFAULTS})
endif()
install(DIRECTORY ${QX_PROGRAM_DIR}/Calls DESTINATION ${QX_SHARED_DEFAULTS}
        FILES_MATCHING PATTERN "[0-9][0-9][0-9][0-9]_[0-9][0-9].bsl")

# Man pages, gzipped as Debian wants them (-n: no name or time stamp inside).
set(qx_man_pages "")
foreach(page quantorix.1 quantorix-cli.1)
    set(out ${QX_PACKAGE_WORK}/man/${page}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_PACKAGE_WORK}/man
        COMMAND sh -c "gzip -9n -c '${PROJECT_SOURCE_DIR}/data/man/${page}' > '${out}'"
        DEPENDS ${PROJECT_SOURCE_DIR}/data/man/${page}
        VERBATIM)
    list(APPEND qx_man_pages ${out})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${qx_man_pages})
install(FILES ${qx_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian documentation every package carries.
file(WRITE ${QX_PACKAGE_WORK}/copyright.tmp
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: quantorix

Files: *
Copyright: 2026 Quantorix
License: LicenseRef-proprietary
 All rights reserved.
")
configure_file(${QX_PACKAGE_WORK}/copyright.tmp ${QX_PACKAGE_WORK}/copyright COPYONLY)
string(TIMESTAMP qx_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${QX_PACKAGE_WORK}/changelog.tmp
"quantorix (${PROJECT_VERSION}) unstable; urgency=medium

  * Installable as a Debian package with a per-user program folder.

 -- Quantorix Maintainers <maintainers@quantorix.org>  ${qx_changelog_date}
")
add_custom_command(OUTPUT ${QX_PACKAGE_WORK}/changelog.gz
    COMMAND sh -c "gzip -9n -c '${QX_PACKAGE_WORK}/changelog.tmp' > '${QX_PACKAGE_WORK}/changelog.gz'"
    DEPENDS ${QX_PACKAGE_WORK}/changelog.tmp
    VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${QX_PACKAGE_WORK}/changelog.gz)
install(FILES ${QX_PACKAGE_WORK}/copyright ${QX_PACKAGE_WORK}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quantorix)

if(QX_GUI)
    install(TARGETS quantorix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${QX_LINUX_DATA}/${QX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${QX_LINUX_DATA}/${QX_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    configure_file(${QX_LINUX_DATA}/${QX_APP_ID}.metainfo.xml ${QX_PACKAGE_WORK}/${QX_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${QX_PACKAGE_WORK}/${QX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # The icon in the usual sizes, drawn by the program's own icon code.
    set(QX_ICON_SIZES 16 22 24 32 48 64 128 256)
    add_executable(make_icons ${PROJECT_SOURCE_DIR}/tools/gui/make_icons.cpp)
    target_link_libraries(make_icons PRIVATE app_ui)
    set_target_properties(make_icons PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
    set(qx_icon_stamp ${QX_PACKAGE_WORK}/icons.stamp)
    add_custom_command(OUTPUT ${qx_icon_stamp}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:make_icons>
                ${QX_PACKAGE_WORK}/icons ${QX_ICON_SIZES}
        COMMAND ${CMAKE_COMMAND} -E touch ${qx_icon_stamp}
        DEPENDS make_icons
        COMMENT "Drawing the program icon for the desktop entry"
        VERBATIM)
    add_custom_target(program_icons ALL DEPENDS ${qx_icon_stamp})
    install(DIRECTORY ${QX_PACKAGE_WORK}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

# The Debian package; its dependencies come from dpkg-shlibdeps.
# Installing (and cpack) builds only what it installs, not the tests: see package_parts.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quantorix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quantorix Maintainers <maintainers@quantorix.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "call accounting for office telephone exchanges")
set(CPACK_PACKAGE_DESCRIPTION "PBX Call Quantorix Pro loads the call files that the data collector of an
office telephone exchange writes, classifies and prices every call from its
settings database, and shows, filters, exports and reports the calls. The
command-line tool quantorix-cli produces reports and exports unattended.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quantorix.org/")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)

# Everything the package holds, without the tests and benchmarks: scripts/package
# builds this and runs cpack.
add_custom_target(package_parts)
add_dependencies(package_parts quantorix-cli default_settings language_files demo_calls man_pages package_changelog)
if(QX_GUI)
    add_dependencies(package_parts quantorix program_icons)
endif()
