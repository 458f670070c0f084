brannic_logic_test(dmx_logic_test
  ${CMAKE_CURRENT_LIST_DIR}/packets_test.cpp)
