# The plug-in's codecs through the real library, beside OpenSSL's Base64 on the same data.
find_package(OpenSSL REQUIRED)
add_executable(codec_bench ${CMAKE_CURRENT_LIST_DIR}/codec_bench.cpp)
target_link_libraries(codec_bench PRIVATE brannic_logic benchmark::benchmark OpenSSL::Crypto)
target_compile_definitions(codec_bench PRIVATE QUILVANE_LIBRARY="$<TARGET_FILE:quilvane>")
add_dependencies(codec_bench quilvane)
