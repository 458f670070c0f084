target_sources(brannic_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win_web_config.cpp)
