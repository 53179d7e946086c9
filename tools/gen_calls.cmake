# The demo installation's calls: 20,000 office calls over the two months before
# 1 March 2025, always the same (fixed seed and dates).
set(QX_DEMO_CALLS ${QX_PROGRAM_DIR}/Calls/demo.bsl)
add_custom_command(
    OUTPUT ${QX_DEMO_CALLS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_PROGRAM_DIR}/Calls
    COMMAND gen_calls --seed 20250301 --count 20000 --start 2025-01-01 --days 59 ${QX_DEMO_CALLS}
    DEPENDS gen_calls
    COMMENT "Generating the demo call file Calls/demo.bsl"
    VERBATIM)
add_custom_target(demo_calls ALL DEPENDS ${QX_DEMO_CALLS})
