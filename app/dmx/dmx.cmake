target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/firmware_reply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/interface_packets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/output_status.cpp)
# The main window's side: the serial port, the level view and the interface dialog's label.
target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/interface_reply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/port_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/send_dmx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win_config.cpp)
