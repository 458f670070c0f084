target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/aux_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menubar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window1.cpp)
target_compile_definitions(brannic_app PUBLIC BRANNIC_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} BRANNIC_VERSION_MINOR=${PROJECT_VERSION_MINOR})
target_sources(brannic_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/launch.cpp)
target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/headless_console.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp)
target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/new_addresses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_service.cpp)
