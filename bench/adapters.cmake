# bench/run adapters: one reading of the adapters, the names alone, and dropping down the
# real main window's adapter box.
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_adapters ${CMAKE_CURRENT_LIST_DIR}/AdapterBench.cpp
                 ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc)
  target_include_directories(bench_adapters PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res)
  # The benchmark times the IP helper's calls themselves, beside the program's reading.
  target_link_libraries(bench_adapters PRIVATE ardenix_mainwindow ardenix_network_win32 iphlpapi
                        user32)
endif()
