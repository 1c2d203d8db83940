# The timesheet day-cell recalculation: exact texts and their effect on the database.
plant_add_test(recalc_tests
    ${CMAKE_CURRENT_LIST_DIR}/timesheet_recalc_test.cpp
)
