# The default settings database of the demo installation, written into the
# program folder (the program never creates one from nothing), and the demo's
# preferences in its INI file: names of the user-defined call types and the
# company texts of the reports.
set(QX_DEFAULT_SETTINGS ${QX_PROGRAM_DIR}/brisel.dat)
set(QX_DEMO_INI ${QX_PROGRAM_DIR}/quantorix.ini)
add_custom_command(
    OUTPUT ${QX_DEFAULT_SETTINGS} ${QX_DEMO_INI}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_PROGRAM_DIR}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:make_default_settings>
            ${QX_DEFAULT_SETTINGS} ${QX_DEMO_INI}
    DEPENDS make_default_settings
    COMMENT "Writing the default settings database brisel.dat and the demo preferences"
    VERBATIM)
add_custom_target(default_settings ALL DEPENDS ${QX_DEFAULT_SETTINGS} ${QX_DEMO_INI})
