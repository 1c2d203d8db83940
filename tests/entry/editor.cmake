# The entry editor and the entry save: exact texts, the dialog driven headless, the save against
# the database, and a second workstation (entry_save_worker) saving at the same moment.
add_executable(entry_save_worker ${CMAKE_CURRENT_LIST_DIR}/entry_save_worker.cpp)
target_link_libraries(entry_save_worker PRIVATE plant_core)

plant_add_test(entry_editor_tests
    ${CMAKE_CURRENT_LIST_DIR}/entry_statements_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_fixture.cpp ${CMAKE_CURRENT_LIST_DIR}/entry_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/entry_editor_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_change_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_save_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_request_test.cpp
)
add_dependencies(entry_editor_tests entry_save_worker)
target_compile_definitions(entry_editor_tests PRIVATE
    ENTRY_SAVE_WORKER="$<TARGET_FILE:entry_save_worker>")
