target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/basic_login.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listener_status.cpp
  ${CMAKE_CURRENT_LIST_DIR}/login_throttle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/request.cpp)
target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/listener.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_html_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/request_handler.cpp)
