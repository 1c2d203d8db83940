# Operations and prices, the operation editor and the norms window.
target_sources(plant PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/norms_window.cpp ${CMAKE_CURRENT_LIST_DIR}/norms_window.h
    ${CMAKE_CURRENT_LIST_DIR}/operation_editor.cpp ${CMAKE_CURRENT_LIST_DIR}/operation_editor.h
    ${CMAKE_CURRENT_LIST_DIR}/operations_list.cpp ${CMAKE_CURRENT_LIST_DIR}/operations_list.h
)
# Statement texts and rules of the operations and norms windows: widget-free.
target_sources(plant_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/norms_rules.cpp ${CMAKE_CURRENT_LIST_DIR}/norms_rules.h
    ${CMAKE_CURRENT_LIST_DIR}/operation_save.cpp ${CMAKE_CURRENT_LIST_DIR}/operation_save.h
    ${CMAKE_CURRENT_LIST_DIR}/operations_statements.cpp ${CMAKE_CURRENT_LIST_DIR}/operations_statements.h
    ${CMAKE_CURRENT_LIST_DIR}/price_list_export.cpp ${CMAKE_CURRENT_LIST_DIR}/price_list_export.h
)
