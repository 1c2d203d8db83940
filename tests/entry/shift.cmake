# "Ввод смены": the grid against the entry editor, its refusals, a second workstation between
# the check and the write, and the keys a foreman types for a whole shift.
plant_add_test(shift_entry_tests
    ${CMAKE_CURRENT_LIST_DIR}/entry_fixture.cpp ${CMAKE_CURRENT_LIST_DIR}/entry_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/shift_entry_test.cpp
)
