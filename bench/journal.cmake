# The shift journal's reload of one date (four journal queries, fetch, grid reset) beside psql.
plant_add_benchmark(journal_bench ${CMAKE_CURRENT_LIST_DIR}/journal_bench.cpp)
