add_executable(http_client_bench ${CMAKE_CURRENT_LIST_DIR}/http_client_bench.cpp)
target_link_libraries(http_client_bench PRIVATE brannic_logic benchmark::benchmark)
