# The base language file and the translations shipped with the program,
# generated into the program folder from the string table, the built-in menus
# and dialogs, the window code's resource text files (src/**/*.qxr) and the
# translation sources (src/lang/<language>/).
file(GLOB_RECURSE qx_resource_texts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.qxr)
list(FILTER qx_resource_texts EXCLUDE REGEX "/src/lang/(resources\\.qxr|de/)")
file(GLOB qx_german_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/lang/de/*)
set(qx_resource_args "")
foreach(file IN LISTS qx_resource_texts)
    list(APPEND qx_resource_args --resources ${file})
endforeach()
set(QX_BASE_LANGUAGE ${QX_PROGRAM_DIR}/quantorix.lna)
set(QX_GERMAN_LANGUAGE ${QX_PROGRAM_DIR}/Deutsch.lng)
add_custom_command(
    OUTPUT ${QX_BASE_LANGUAGE} ${QX_GERMAN_LANGUAGE}
    COMMAND make_language --base ${QX_BASE_LANGUAGE} ${qx_resource_args}
            --translation ${QX_GERMAN_LANGUAGE} ${PROJECT_SOURCE_DIR}/src/lang/de
    DEPENDS make_language ${qx_resource_texts} ${qx_german_sources}
    COMMENT "Generating the base language file quantorix.lna and the German translation Deutsch.lng"
    VERBATIM)
add_custom_target(language_files ALL DEPENDS ${QX_BASE_LANGUAGE} ${QX_GERMAN_LANGUAGE})
