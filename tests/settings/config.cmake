brannic_logic_test(config_format_test ${CMAKE_CURRENT_LIST_DIR}/config_format_test.cpp)
