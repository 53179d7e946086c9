# Engine areas, lowest first. Each area is a static library built from the
# .cpp files of src/<area>/ (its gui/ subfolder excluded). It links the areas
# named in QX_USES_<area> (and through them what those use), and it sees the
# headers of exactly those areas: an include of any other area fails to compile.
set(QX_ENGINE_AREAS core calls settings lang prefs rating filter textfile report session)
set(QX_USES_core)
set(QX_USES_calls core)
set(QX_USES_settings core)
set(QX_USES_lang core)
set(QX_USES_prefs calls lang settings)
set(QX_USES_rating calls prefs settings)
set(QX_USES_filter calls prefs settings)
set(QX_USES_textfile calls lang prefs settings)
set(QX_USES_report filter lang prefs settings)
set(QX_USES_session calls settings lang prefs rating filter textfile report)

# Areas that also have windows keep them in src/<area>/gui/, built as <area>_ui.
# app, editor and ui are window code only.
set(QX_UI_AREAS ui filter_gui report_gui lang_gui prefs_gui editor app)

function(qx_sources out dir)
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    set(${out} ${srcs} PARENT_SCOPE)
endfunction()
