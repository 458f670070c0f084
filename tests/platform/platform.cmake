brannic_logic_test(platform_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/files_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/temp_dir.cpp)
brannic_test(platform_io_tests
  ${CMAKE_CURRENT_LIST_DIR}/tcp_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serial_test.cpp)
