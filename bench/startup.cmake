# Start-up benchmark (bench/run startup): Ardenix.exe with 0, 1,000 and 10,000 profiles
# beside it, next to a bare Win32 window program.
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_bare_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/BareWindow.cpp)
  add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp)
  target_link_libraries(bench_startup PRIVATE psapi)
  target_compile_definitions(bench_startup PRIVATE
    ARDENIX_EXE="$<TARGET_FILE:Ardenix>"
    BARE_WINDOW_EXE="$<TARGET_FILE:bench_bare_window>")
  add_dependencies(bench_startup Ardenix bench_bare_window)
endif()
