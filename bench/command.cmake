add_executable(command_bench ${CMAKE_CURRENT_LIST_DIR}/command_bench.cpp)
target_link_libraries(command_bench PRIVATE brannic_logic benchmark::benchmark)
