# The user's guide: data/Help/* (one HTML file per language, named like the
# language: "English.html", "Deutsch.html", and their pictures) is copied into
# the program folder whenever a file changes, as part of building the language
# library (the help opener looks for the files beside the program).
file(GLOB QX_HELP_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/Help/*)
if(QX_HELP_FILES)
    set(stamp ${CMAKE_BINARY_DIR}/help_files.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_PROGRAM_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QX_HELP_FILES} ${QX_PROGRAM_DIR}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${QX_HELP_FILES}
        COMMENT "Help files"
        VERBATIM)
    add_custom_target(help_files ALL DEPENDS ${stamp})
    add_dependencies(lang help_files)
endif()
