# What shows while an apply is pending, and an offer taken up by a click on its balloon:
# the real window and services, the stand-in netsh waiting for the test, the host's adapter.
if(WIN32)
  ardenix_add_test(apply_pending_e2e_test GUI TIMEOUT 180
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplyPendingEndToEndTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(apply_pending_e2e_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui
                             ${CMAKE_SOURCE_DIR}/tests/trayicon ${CMAKE_SOURCE_DIR}/tests/profiles)
  ardenix_netsh_standin_beside(apply_pending_e2e_test)
  set_tests_properties(apply_pending_e2e_test PROPERTIES
    RESOURCE_LOCK "wine_desktop;system_netsh"
    ENVIRONMENT_MODIFICATION "WINEDLLOVERRIDES=set:mscoree,mshtml=\\;netsh.exe=n")
endif()
