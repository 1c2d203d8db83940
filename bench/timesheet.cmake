# The month rebuild of the timesheet three ways, and the export of the same month.
plant_add_benchmark(timesheet_bench timesheet_bench.cpp)
