# Workers, products and operation kinds: statement texts, and the windows driven headless.
plant_add_test(refbooks_books_statements_test
    ${CMAKE_CURRENT_LIST_DIR}/books_statements_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/row_merge_test.cpp
)
plant_add_test(refbooks_books_test
    ${CMAKE_CURRENT_LIST_DIR}/book_saves_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../history/history_plant.cpp
    ${CMAKE_CURRENT_LIST_DIR}/workers_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/products_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/operation_kinds_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reference_lists_test.cpp
)
