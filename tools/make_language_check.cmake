# The language build's check of menu mnemonics, run as a test: the shipped
# German translation builds, and the same translation with a top-level menu
# whose mnemonic is an Alt accelerator ("E&xtras" against "Alt+X") is refused.
# Included by tools/CMakeLists.txt it registers the test; run with -P it is the test.
if(NOT CMAKE_SCRIPT_MODE_FILE)
    string(REPLACE ";" "|" resource_files "${qx_resource_texts}")  # one argument
    add_test(NAME make_language_mnemonics
             COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:make_language> -DGERMAN=${PROJECT_SOURCE_DIR}/src/lang/de
                     "-DRESOURCES=${resource_files}" -DWORK=${CMAKE_CURRENT_BINARY_DIR}/mnemonics
                     -P ${CMAKE_CURRENT_LIST_FILE})
    return()
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/good ${WORK}/clash)
file(GLOB german ${GERMAN}/*)
file(COPY ${german} DESTINATION ${WORK}/good)
file(COPY ${german} DESTINATION ${WORK}/clash)
file(READ ${WORK}/clash/resources.qxr menus)
string(REPLACE "POPUP \"&Extras\"" "POPUP \"E&xtras\"" clashing "${menus}")
if(clashing STREQUAL menus)
    message(FATAL_ERROR "the German main menu has no \"&Extras\" to change")
endif()
file(WRITE ${WORK}/clash/resources.qxr "${clashing}")

set(args "")
string(REPLACE "|" ";" RESOURCES "${RESOURCES}")
foreach(file IN LISTS RESOURCES)
    list(APPEND args --resources ${file})
endforeach()
foreach(case good clash)
    execute_process(COMMAND ${TOOL} --base ${WORK}/${case}.lna ${args} --translation ${WORK}/${case}.lng ${WORK}/${case}
                    RESULT_VARIABLE result_${case} ERROR_VARIABLE errors_${case})
endforeach()
if(NOT result_good EQUAL 0)
    message(FATAL_ERROR "the shipped German translation is refused:\n${errors_good}")
endif()
if(result_clash EQUAL 0 OR NOT errors_clash MATCHES "Alt\\+X")
    message(FATAL_ERROR "a mnemonic on Alt+X was not refused (${result_clash}):\n${errors_clash}")
endif()
