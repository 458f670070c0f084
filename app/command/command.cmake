target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/decimal_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lexer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_assignment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show_file_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statement_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statement_splitter.cpp)
# The main window's side: labels, history window, event-loop yields and the show file on disk.
target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show_file.cpp)
