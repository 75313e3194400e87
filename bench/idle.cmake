# Idle benchmark (bench/run idle): processor time and timer messages of Ardenix with 1,000
# profiles left alone, with the pointer away from and on its tray icon, next to the
# controls window of the start-up benchmark.
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_idle ${CMAKE_CURRENT_LIST_DIR}/IdleBench.cpp)
  target_compile_definitions(bench_idle PRIVATE
    ARDENIX_EXE="$<TARGET_FILE:Ardenix>"
    CONTROLS_WINDOW_EXE="$<TARGET_FILE:bench_controls_window>")
  add_dependencies(bench_idle Ardenix bench_controls_window)
endif()
