# The default settings database of the demo installation, written into the
# program folder. The program never creates one from nothing.
set(QX_DEFAULT_SETTINGS ${QX_PROGRAM_DIR}/brisel.dat)
add_custom_command(
    OUTPUT ${QX_DEFAULT_SETTINGS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_PROGRAM_DIR}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:make_default_settings> ${QX_DEFAULT_SETTINGS}
    DEPENDS make_default_settings
    COMMENT "Writing the default settings database brisel.dat"
    VERBATIM)
add_custom_target(default_settings ALL DEPENDS ${QX_DEFAULT_SETTINGS})
