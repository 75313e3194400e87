# The main window's notification-area side: the icon, its menu and saving at session end.
if(WIN32)
  target_sources(ardenix_mainwindow PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SessionEnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrayMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TraySide.cpp)
  target_link_libraries(ardenix_mainwindow PUBLIC ardenix_trayicon)
endif()
