target_sources(brannic_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/config_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extra_settings_format.cpp)
# Reading and writing the file shows messages and sets a menu check mark.
target_sources(brannic_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/config.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extra_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/live_setting.cpp)
