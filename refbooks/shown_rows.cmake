# The reference books' rows as their editors show them, compared with the stored rows before a
# change is written: widget-free.
target_sources(plant_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/shown_rows.cpp ${CMAKE_CURRENT_LIST_DIR}/shown_rows.h)
# How an editor takes the verdict of its change.
target_sources(plant PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/change_verdict.cpp ${CMAKE_CURRENT_LIST_DIR}/change_verdict.h)
