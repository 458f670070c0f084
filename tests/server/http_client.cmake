brannic_logic_test(http_parsing_test ${CMAKE_CURRENT_LIST_DIR}/http_parsing_test.cpp)
