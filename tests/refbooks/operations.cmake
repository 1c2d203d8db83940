# Operations and prices, the operation editor and the norms window.
plant_add_test(refbooks_operations_statements_test
    ${CMAKE_CURRENT_LIST_DIR}/operations_statements_test.cpp)
plant_add_test(refbooks_operations_test
    ${CMAKE_CURRENT_LIST_DIR}/operations_test_support.h
    ${CMAKE_CURRENT_LIST_DIR}/operations_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/norms_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/price_list_test.cpp
)
