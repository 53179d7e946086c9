# Engine areas, lowest first. Each area is a static library built from the
# .cpp files of src/<area>/ (its gui/ subfolder excluded) and links every area
# before it, so a layer can use the ones below it and never the ones above.
set(QX_ENGINE_AREAS core calls settings lang prefs rating filter textfile report session)

# Areas that also have windows keep them in src/<area>/gui/, built as <area>_ui.
# app, editor and ui are window code only.
set(QX_UI_AREAS ui filter_gui report_gui lang_gui prefs_gui editor app)

function(qx_sources out dir)
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    set(${out} ${srcs} PARENT_SCOPE)
endfunction()
