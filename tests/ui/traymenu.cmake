# The program in the notification area: the real main window with its tray icon and menu,
# driven by the shell's callbacks and the session-end messages.
if(WIN32)
  ardenix_add_test(traymenu_test GUI TIMEOUT 300
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/TrayMenuTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(traymenu_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res
                             ${CMAKE_SOURCE_DIR}/tests/trayicon)
endif()
