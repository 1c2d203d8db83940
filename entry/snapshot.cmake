# The entry as the editor loaded it, compared with the stored one before a change is written:
# widget-free.
target_sources(plant_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/entry_snapshot.cpp ${CMAKE_CURRENT_LIST_DIR}/entry_snapshot.h
)
