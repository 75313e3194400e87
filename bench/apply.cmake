# bench/run apply: the apply's own work before netsh starts, and netsh's end to the report.
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_apply ${CMAKE_CURRENT_LIST_DIR}/ApplyBench.cpp)
  target_link_libraries(bench_apply PRIVATE ardenix_apply_follower ardenix_win32_services advapi32)
  add_dependencies(bench_apply netsh_standin)
  target_compile_definitions(bench_apply PRIVATE
    ARDENIX_NETSH_STANDIN="$<TARGET_FILE:netsh_standin>")
endif()
