brannic_logic_test(dmx_logic_test
  ${CMAKE_CURRENT_LIST_DIR}/packets_test.cpp)
brannic_test(dmx_serial_test
  ${CMAKE_CURRENT_LIST_DIR}/serial_output_test.cpp)
