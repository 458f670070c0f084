target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/connection_eviction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window.cpp)
target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/name_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serial.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tcp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widget_view.cpp)
