brannic_logic_test(server_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/basic_login_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listener_status_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reply_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/request_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../support/temp_dir.cpp)
target_include_directories(server_logic_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
