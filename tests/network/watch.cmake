ardenix_add_test(network_watch_schedule_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkWatchScheduleTest.cpp
  LIBS ardenix_network)
