brannic_logic_test(http_parsing_test ${CMAKE_CURRENT_LIST_DIR}/http_parsing_test.cpp)
brannic_test(http_socket_test ${CMAKE_CURRENT_LIST_DIR}/http_socket_test.cpp ${CMAKE_CURRENT_LIST_DIR}/http_test_server.cpp)
brannic_test(check_network_test ${CMAKE_CURRENT_LIST_DIR}/check_network_test.cpp ${CMAKE_CURRENT_LIST_DIR}/http_test_server.cpp)
