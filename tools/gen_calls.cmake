# The demo installation's calls, laid out as the exchange's data collector
# does: one file per month, "Calls/YYYY_MM.bsl", over the three months before
# the current one and the current month up to yesterday (about 340 calls a day,
# the same for the same day). They are made again whenever gen_calls changes,
# and in a build configured in a new month; a "demo.bsl" of earlier builds goes.
string(TIMESTAMP QX_DEMO_MONTH "%Y_%m")
set(QX_DEMO_CALLS_STAMP ${CMAKE_BINARY_DIR}/demo_calls_${QX_DEMO_MONTH}.stamp)
add_custom_command(
    OUTPUT ${QX_DEMO_CALLS_STAMP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_PROGRAM_DIR}/Calls
    COMMAND ${CMAKE_COMMAND} -E rm -f ${QX_PROGRAM_DIR}/Calls/demo.bsl
    COMMAND gen_calls --seed 20250301 --per-day 340 --months 3 --monthly ${QX_PROGRAM_DIR}/Calls
    COMMAND ${CMAKE_COMMAND} -E touch ${QX_DEMO_CALLS_STAMP}
    DEPENDS gen_calls
    COMMENT "Generating the demo call files Calls/YYYY_MM.bsl"
    VERBATIM)
add_custom_target(demo_calls ALL DEPENDS ${QX_DEMO_CALLS_STAMP})
