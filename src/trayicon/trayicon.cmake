# The notification-area icon: its platform-free pointer logic everywhere, the simple timer
# and the tray icon component on Windows.
add_library(ardenix_trayicon_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TrayPointerLogic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrayArithmetic.cpp
)
target_include_directories(ardenix_trayicon_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})

if(WIN32)
  add_library(ardenix_trayicon STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SimpleTimer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TimerMessageCount.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShellNotify.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrayIconHandler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrayIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrayBalloon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrayMinimize.cpp
  )
  target_include_directories(ardenix_trayicon PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_trayicon PUBLIC ardenix_trayicon_logic ardenix_framework shell32
                        comctl32)
endif()
