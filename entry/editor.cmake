# The entry editor and the entry save.
target_sources(plant PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/entry_editor.cpp ${CMAKE_CURRENT_LIST_DIR}/entry_editor.h
)
