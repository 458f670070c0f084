brannic_logic_test(config_format_test ${CMAKE_CURRENT_LIST_DIR}/config_format_test.cpp)
brannic_test(config_file_test ${CMAKE_CURRENT_LIST_DIR}/config_file_test.cpp)
