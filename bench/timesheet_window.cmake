# The timesheet window opened and closed 1,000 times: the client's resident memory must not grow.
plant_add_benchmark(timesheet_window_bench ${CMAKE_CURRENT_LIST_DIR}/timesheet_window_bench.cpp)
