# Recognise benchmark (bench/run recognise): from a change of network to the balloon, through
# the system's notices (played by the tests' double) and through the 2 s fallback.
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_recognise ${CMAKE_CURRENT_LIST_DIR}/RecogniseBench.cpp)
  target_include_directories(bench_recognise PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  target_link_libraries(bench_recognise PRIVATE ardenix_network_watch ardenix_network_win32
                        ardenix_trayicon)
endif()
