# The workers list with 10,000 workers: opening it and each keystroke of its search.
plant_add_benchmark(workers_bench ${CMAKE_CURRENT_LIST_DIR}/workers_bench.cpp)
