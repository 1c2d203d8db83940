# The timesheet day-cell recalculation: the statement texts and their running are widget-free.
target_sources(plant_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/timesheet_recalc.cpp ${CMAKE_CURRENT_LIST_DIR}/timesheet_recalc.h
    ${CMAKE_CURRENT_LIST_DIR}/timesheet_recalc_statements.cpp
    ${CMAKE_CURRENT_LIST_DIR}/timesheet_recalc_statements.h
)
