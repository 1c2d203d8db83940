# The month rebuild of the timesheet three ways (through the window, the day-by-day reference of
# the tests, the bare set-based statement), and the export of the same month.
plant_add_benchmark(timesheet_bench ${CMAKE_CURRENT_LIST_DIR}/timesheet_bench.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/per_cell_rebuild.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/per_cell_rebuild.h)
