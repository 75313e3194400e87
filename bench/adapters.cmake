# bench/run adapters: one reading of the adapters, and reading + filling + dropping down
# a combo box's list (a stand-in for the main window's adapter box).
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_adapters ${CMAKE_CURRENT_LIST_DIR}/AdapterBench.cpp)
  target_link_libraries(bench_adapters PRIVATE ardenix_network_win32 user32)
endif()
