# The program in the notification area: the real main window with its tray icon and menu,
# driven by the shell's callbacks and the session-end messages.
if(WIN32)
  ardenix_add_test(traymenu_test GUI TIMEOUT 300
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/TrayMenuTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(traymenu_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res
                             ${CMAKE_SOURCE_DIR}/tests/trayicon ${CMAKE_SOURCE_DIR}/tests/profiles)
endif()

# The same by a person's real input from outside: xdotool on the icon in Wine's
# notification area, then on the menu (tray-journey.sh). It swaps the system's netsh for
# the stand-in, as the netsh end-to-end test does: the two never run at once.
if(WIN32)
  add_test(NAME tray_journey_test
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/tray-journey.sh ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:Ardenix> $<TARGET_FILE:netsh_standin>)
  set_tests_properties(tray_journey_test PROPERTIES
    FIXTURES_REQUIRED wine_host
    RESOURCE_LOCK "wine_desktop;system_netsh"
    TIMEOUT 120)
endif()
