# The change history: an entry save and the month rebuild with and without its triggers, and the
# history window over a million history rows.
plant_add_benchmark(history_bench ${CMAKE_CURRENT_LIST_DIR}/history_bench.cpp)
target_compile_definitions(history_bench PRIVATE PLANT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
