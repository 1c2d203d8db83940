# The four period reports and the production summary over about a million journal rows, beside
# psql's time for the same statements.
plant_add_benchmark(reports_bench ${CMAKE_CURRENT_LIST_DIR}/reports_bench.cpp)
