target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/firmware_reply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/interface_packets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_view.cpp)
