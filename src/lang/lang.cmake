# The built-in menus and dialogs (resources.qxr) are compiled into the engine
# as a string literal; the file is rewritten only when its content changes.
set(qx_lang_resources ${CMAKE_CURRENT_SOURCE_DIR}/lang/resources.qxr)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${qx_lang_resources})
file(READ ${qx_lang_resources} qx_lang_resources_text)
set(qx_lang_generated ${CMAKE_CURRENT_BINARY_DIR}/lang_generated)
file(WRITE ${qx_lang_generated}/BuiltInResources.inc.tmp "R\"qxr(${qx_lang_resources_text})qxr\"\n")
configure_file(${qx_lang_generated}/BuiltInResources.inc.tmp ${qx_lang_generated}/lang/BuiltInResources.inc COPYONLY)
target_include_directories(lang PRIVATE ${qx_lang_generated})
