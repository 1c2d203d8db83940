# The entry editor and the entry save. The rules, statement texts and the save itself know no
# widget.
target_sources(plant_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/entry_statements.cpp ${CMAKE_CURRENT_LIST_DIR}/entry_statements.h
    ${CMAKE_CURRENT_LIST_DIR}/entry_save.cpp ${CMAKE_CURRENT_LIST_DIR}/entry_save.h
)
target_sources(plant PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/entry_editor.cpp ${CMAKE_CURRENT_LIST_DIR}/entry_editor.h
)
