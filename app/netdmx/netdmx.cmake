target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/artnet_packet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/e131_packet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/network_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/send_schedule.cpp)
# The sockets, the timer and the status list: the outputs as they run.
target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/network_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_plan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win_network_output.cpp)
