ardenix_add_test(trayicon_logic_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TrayPointerLogicTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/TrayArithmeticTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/LiveObjectTableTest.cpp
  LIBS ardenix_trayicon_logic)

if(WIN32)
  ardenix_add_test(simple_timer_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SimpleTimerTest.cpp
    LIBS ardenix_trayicon)
  ardenix_add_test(trayicon_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/TrayIconTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/TrayMinimizeTest.cpp
    LIBS ardenix_trayicon)
endif()
