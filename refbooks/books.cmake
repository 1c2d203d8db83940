# Workers, products and operation kinds, and the reference list all four lists build on.
target_sources(plant PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/choices.h
    ${CMAKE_CURRENT_LIST_DIR}/edit_mode.h
    ${CMAKE_CURRENT_LIST_DIR}/list_search_keys.cpp ${CMAKE_CURRENT_LIST_DIR}/list_search_keys.h
    ${CMAKE_CURRENT_LIST_DIR}/operation_kind_editor.cpp ${CMAKE_CURRENT_LIST_DIR}/operation_kind_editor.h
    ${CMAKE_CURRENT_LIST_DIR}/operation_kinds_list.cpp ${CMAKE_CURRENT_LIST_DIR}/operation_kinds_list.h
    ${CMAKE_CURRENT_LIST_DIR}/product_editor.cpp ${CMAKE_CURRENT_LIST_DIR}/product_editor.h
    ${CMAKE_CURRENT_LIST_DIR}/products_list.cpp ${CMAKE_CURRENT_LIST_DIR}/products_list.h
    ${CMAKE_CURRENT_LIST_DIR}/reference_list.cpp ${CMAKE_CURRENT_LIST_DIR}/reference_list.h
    ${CMAKE_CURRENT_LIST_DIR}/worker_editor.cpp ${CMAKE_CURRENT_LIST_DIR}/worker_editor.h
    ${CMAKE_CURRENT_LIST_DIR}/workers_list.cpp ${CMAKE_CURRENT_LIST_DIR}/workers_list.h
)
# Their statement texts, rules and saves know no widget.
target_sources(plant_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/operation_kind_save.cpp ${CMAKE_CURRENT_LIST_DIR}/operation_kind_save.h
    ${CMAKE_CURRENT_LIST_DIR}/product_save.cpp ${CMAKE_CURRENT_LIST_DIR}/product_save.h
    ${CMAKE_CURRENT_LIST_DIR}/row_change.h
    ${CMAKE_CURRENT_LIST_DIR}/worker_save.cpp ${CMAKE_CURRENT_LIST_DIR}/worker_save.h
    ${CMAKE_CURRENT_LIST_DIR}/operation_kinds_statements.cpp ${CMAKE_CURRENT_LIST_DIR}/operation_kinds_statements.h
    ${CMAKE_CURRENT_LIST_DIR}/products_statements.cpp ${CMAKE_CURRENT_LIST_DIR}/products_statements.h
    ${CMAKE_CURRENT_LIST_DIR}/workers_statements.cpp ${CMAKE_CURRENT_LIST_DIR}/workers_statements.h
)
