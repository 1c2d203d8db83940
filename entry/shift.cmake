# "Ввод смены": a shift's entries in one grid, written together by the entry save's rules. The
# rows and their statements know no widget.
target_sources(plant_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/shift_names.cpp ${CMAKE_CURRENT_LIST_DIR}/shift_names.h
    ${CMAKE_CURRENT_LIST_DIR}/shift_rows.cpp ${CMAKE_CURRENT_LIST_DIR}/shift_rows.h
)
target_sources(plant PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/shift_entry_window.cpp ${CMAKE_CURRENT_LIST_DIR}/shift_entry_window.h
    ${CMAKE_CURRENT_LIST_DIR}/shift_grid.cpp ${CMAKE_CURRENT_LIST_DIR}/shift_grid.h
)
