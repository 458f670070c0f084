brannic_logic_test(command_logic_test
  ${CMAKE_CURRENT_LIST_DIR}/decimal_list_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lexer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/splitter_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statement_test.cpp)
brannic_test(command_window_test
  ${CMAKE_CURRENT_LIST_DIR}/main_window_command_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show_file_test.cpp)
