target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/http_headers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_request.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_response_head.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_url.cpp)
# The client itself waits on a real socket.
target_sources(brannic_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/http_socket.cpp)
