#The plug - in host : plain C++ over dlopen, no Qt.
target_sources(brannic_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR} / plugin_host.cpp)
    target_link_libraries(brannic_logic PUBLIC ${CMAKE_DL_LIBS})
