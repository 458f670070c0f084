brannic_logic_test(server_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/basic_login_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listener_status_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/login_throttle_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reply_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/request_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../support/temp_dir.cpp)

brannic_test(command_server_tests
  ${CMAKE_CURRENT_LIST_DIR}/command_reply_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/connections_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loopback_client.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loopback_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_html_file_test.cpp)
target_compile_definitions(command_server_tests PRIVATE QUILVANE_LIBRARY="$<TARGET_FILE:quilvane>")
add_dependencies(command_server_tests quilvane)
