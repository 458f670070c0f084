# Launch to first answer, and resident memory under a stream of commands, of the headless program.
add_executable(launch_bench ${CMAKE_CURRENT_LIST_DIR}/launch_bench.cpp)
target_compile_definitions(launch_bench PRIVATE BRANNIC_PROGRAM="$<TARGET_FILE:brannic-webserver>")
add_dependencies(launch_bench brannic-webserver quilvane)
