# A person's login on a secured database, and an entry save through a foreman's login against the
# same save through the built-in login on the same plant unsecured.
plant_add_benchmark(secure_bench ${CMAKE_CURRENT_LIST_DIR}/secure_bench.cpp)
