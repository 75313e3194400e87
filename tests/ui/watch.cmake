# The main window's network watch, with a store beside the test program.
if(WIN32)
  ardenix_add_test(network_watch_window_test GUI TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkWatchWindowTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(network_watch_window_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res
                             ${CMAKE_SOURCE_DIR}/tests/profiles ${CMAKE_SOURCE_DIR}/tests/network)
endif()
