# What an editor shows after a save refused because the row changed elsewhere: widget-free.
target_sources(plant_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/row_merge.cpp ${CMAKE_CURRENT_LIST_DIR}/row_merge.h)
