# The window's report of an apply: balloon, tooltip and status bar.
if(WIN32)
  ardenix_add_test(apply_report_test GUI TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplyReportTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(apply_report_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res
                             ${CMAKE_SOURCE_DIR}/tests/trayicon ${CMAKE_SOURCE_DIR}/tests/profiles)
endif()

# The window's apply end to end: the real window and services, the stand-in netsh, the
# host's adapter.
if(WIN32)
  ardenix_add_test(apply_window_e2e_test GUI TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplyWindowEndToEndTest.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(apply_window_e2e_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res
                             ${CMAKE_SOURCE_DIR}/tests/trayicon)
  ardenix_netsh_standin_beside(apply_window_e2e_test)
  set_tests_properties(apply_window_e2e_test PROPERTIES
    RESOURCE_LOCK "wine_desktop;system_netsh"
    ENVIRONMENT_MODIFICATION "WINEDLLOVERRIDES=set:mscoree,mshtml=\\;netsh.exe=n")
endif()
