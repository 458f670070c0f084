target_sources(brannic_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR} / entrypoints.cpp)
