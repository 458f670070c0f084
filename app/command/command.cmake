target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/lexer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_assignment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statement_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statement_splitter.cpp)
