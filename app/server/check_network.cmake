target_sources(brannic_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/check_network.cpp)
