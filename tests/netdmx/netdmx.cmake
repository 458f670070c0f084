brannic_logic_test(netdmx_logic_tests ${CMAKE_CURRENT_LIST_DIR}/send_schedule_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/network_settings_test.cpp)

# The program as a child process, its packets caught on 127.0.0.1 and decoded by tshark.
brannic_test(netdmx_program_tests ${CMAKE_CURRENT_LIST_DIR}/network_program_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/network_output_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/udp_capture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/../server/loopback_client.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/../server/loopback_port.cpp)
target_compile_definitions(netdmx_program_tests PRIVATE
  BRANNIC_PROGRAM="$<TARGET_FILE:brannic-webserver>")
add_dependencies(netdmx_program_tests brannic-webserver quilvane)
