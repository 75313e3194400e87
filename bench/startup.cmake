# Start-up benchmark (bench/run startup): Ardenix.exe with 0, 1,000 and 10,000 profiles
# beside it, next to a bare Win32 window program and a program with Ardenix's window and
# controls but nothing else.
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_bare_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/BareWindow.cpp)
  add_executable(bench_controls_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/ControlsWindow.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/ControlsWindow.rc)
  target_include_directories(bench_controls_window PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res)
  target_link_libraries(bench_controls_window PRIVATE comctl32 gdi32 user32)
  add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp)
  target_link_libraries(bench_startup PRIVATE psapi)
  target_compile_definitions(bench_startup PRIVATE
    ARDENIX_EXE="$<TARGET_FILE:Ardenix>"
    BARE_WINDOW_EXE="$<TARGET_FILE:bench_bare_window>"
    CONTROLS_WINDOW_EXE="$<TARGET_FILE:bench_controls_window>")
  add_dependencies(bench_startup Ardenix bench_bare_window bench_controls_window)
endif()
