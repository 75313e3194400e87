# Tray icon timing (bench/run trayicon): timer tick periods, exit detection delay,
# callback routing cost.
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_trayicon ${CMAKE_CURRENT_LIST_DIR}/TrayTimerBench.cpp)
  target_link_libraries(bench_trayicon PRIVATE ardenix_trayicon)
endif()
