# The shipped report templates: data/Reports/*.xml are copied into the program
# folder's "Reports/" whenever they change, as part of building the report library.
file(GLOB QX_REPORT_TEMPLATES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/Reports/*.xml)
set(QX_REPORT_TEMPLATE_COPIES "")
foreach(template IN LISTS QX_REPORT_TEMPLATES)
    get_filename_component(name ${template} NAME)
    set(copy ${QX_PROGRAM_DIR}/Reports/${name})
    add_custom_command(OUTPUT ${copy}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_PROGRAM_DIR}/Reports
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${template} ${copy}
        DEPENDS ${template}
        COMMENT "Report template ${name}"
        VERBATIM)
    list(APPEND QX_REPORT_TEMPLATE_COPIES ${copy})
endforeach()
add_custom_target(report_templates ALL DEPENDS ${QX_REPORT_TEMPLATE_COPIES})
add_dependencies(report report_templates)
