# The network watch on its real window and timer, with a double for the system's notices
# and with the system's own registrations (it opens a hidden top-level window).
if(WIN32)
  ardenix_add_test(network_watch_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkWatchTest.cpp
    LIBS ardenix_network_watch)
  target_include_directories(network_watch_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/trayicon)
endif()
