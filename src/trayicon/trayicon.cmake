# The notification-area icon: its platform-free pointer logic everywhere, the simple timer
# and the tray icon component on Windows.
add_library(ardenix_trayicon_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TrayPointerLogic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrayArithmetic.cpp
)
target_include_directories(ardenix_trayicon_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})
