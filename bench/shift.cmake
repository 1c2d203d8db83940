# "Ввод смены": a 50-row shift written by the entry save's rules beside one set-based insert, and
# a 50-entry shift copied into the grid.
plant_add_benchmark(shift_bench ${CMAKE_CURRENT_LIST_DIR}/shift_bench.cpp)
