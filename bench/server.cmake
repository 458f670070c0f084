# The whole program on loopback, from command request to DMX frame on a pseudo-terminal. The
# compare-olad script runs the same bench against OLA's olad.
add_executable(server_bench ${CMAKE_CURRENT_LIST_DIR}/server_bench.cpp
  ${PROJECT_SOURCE_DIR}/tests/server/loopback_port.cpp)
target_include_directories(server_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(server_bench PRIVATE benchmark::benchmark)
target_compile_definitions(server_bench PRIVATE BRANNIC_PROGRAM="$<TARGET_FILE:brannic-webserver>")
add_dependencies(server_bench brannic-webserver quilvane)
