# The service manager's notify protocol comes from libsystemd.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBSYSTEMD REQUIRED IMPORTED_TARGET libsystemd)
target_sources(brannic_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/service_notify.cpp)
target_link_libraries(brannic_app PRIVATE PkgConfig::LIBSYSTEMD)
