# The report engine over 100,000 rows in two groups: preparing every page, and painting them as the
# print preview does.
plant_add_benchmark(printing_bench ${CMAKE_CURRENT_LIST_DIR}/printing_bench.cpp)
