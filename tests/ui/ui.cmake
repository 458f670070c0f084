brannic_logic_test(launch_tests ${CMAKE_CURRENT_LIST_DIR}/launch_test.cpp)
brannic_test(desktop_tests
  ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menus_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/network_dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screenshots_test.cpp)
target_compile_definitions(desktop_tests PRIVATE
  BRANNIC_PLUGIN_PATH="$<TARGET_FILE:quilvane>"
  BRANNIC_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")
add_dependencies(desktop_tests quilvane)

brannic_test(headless_program_tests ${CMAKE_CURRENT_LIST_DIR}/headless_program_test.cpp)
target_compile_definitions(headless_program_tests PRIVATE
  BRANNIC_PROGRAM="$<TARGET_FILE:brannic-webserver>")
add_dependencies(headless_program_tests brannic-webserver quilvane)
