if(WIN32)
  ardenix_add_test(apply_follower_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplyFollowerTest.cpp
    LIBS ardenix_apply)
  target_include_directories(apply_follower_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/network
                             ${CMAKE_SOURCE_DIR}/tests/trayicon)
endif()

# /apply and /list of the real program against the host's interface, with the stand-in
# in place of the system's netsh (apply-e2e.sh).
if(WIN32)
  add_test(NAME apply_e2e_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/apply-e2e.sh ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:Ardenix> $<TARGET_FILE:ArdenixConsole> $<TARGET_FILE:netsh_standin>)
  set_tests_properties(apply_e2e_test PROPERTIES
    FIXTURES_REQUIRED wine_host RESOURCE_LOCK system_netsh TIMEOUT 180)
endif()

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
  add_dependencies(apply_window_e2e_test netsh_standin)
  set_tests_properties(apply_window_e2e_test PROPERTIES
    RESOURCE_LOCK "wine_desktop;system_netsh"
    ENVIRONMENT_MODIFICATION "WINEDLLOVERRIDES=set:mscoree,mshtml=\\;netsh.exe=n")
endif()
