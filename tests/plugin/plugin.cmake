# The plug-in is tested as a host meets it: the real built library, loaded at run time.
set(quilvane_library_definition QUILVANE_LIBRARY="$<TARGET_FILE:quilvane>")

brannic_logic_test(quilvane_test
  ${CMAKE_CURRENT_LIST_DIR}/recording_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registration_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/base64_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quoted_printable_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/url_component_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kernel_choice_test.cpp
  ${PROJECT_SOURCE_DIR}/plugin/kernel_choice.cpp)
find_package(OpenSSL REQUIRED)
target_link_libraries(quilvane_test PRIVATE OpenSSL::Crypto ${CMAKE_DL_LIBS})
target_compile_definitions(quilvane_test PRIVATE ${quilvane_library_definition})
add_dependencies(quilvane_test quilvane)
# Once more with the portable code forced, so that it runs where the SIMD kernels would.
gtest_discover_tests(quilvane_test TEST_PREFIX portable. DISCOVERY_TIMEOUT 30
                     PROPERTIES TIMEOUT 120 ENVIRONMENT QUILVANE_FORCE_PORTABLE=1)

# A plug-in that lacks DecodeURLComponent, for the program's refusal to start.
add_library(quilvane_partial MODULE ${CMAKE_CURRENT_LIST_DIR}/partial_plugin.c)
target_include_directories(quilvane_partial PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(quilvane_partial PROPERTIES C_VISIBILITY_PRESET hidden
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

brannic_logic_test(plugin_binding_test
  ${CMAKE_CURRENT_LIST_DIR}/binding_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/temp_dir.cpp)
target_include_directories(plugin_binding_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(plugin_binding_test PRIVATE ${quilvane_library_definition}
                           PARTIAL_PLUGIN="$<TARGET_FILE:quilvane_partial>")
add_dependencies(plugin_binding_test quilvane quilvane_partial)

add_test(NAME quilvane_exports COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_exports.sh $<TARGET_FILE:quilvane>)
