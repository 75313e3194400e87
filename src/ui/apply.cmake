# Following an apply to its report (the window and the command line alike), and the
# command line's /apply and /list.
if(WIN32)
  add_library(ardenix_apply STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ApplyFollower.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandLineRun.cpp)
  target_include_directories(ardenix_apply PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_apply PUBLIC ardenix_trayicon ardenix_network_win32
                        ardenix_win32_services ardenix_console_output ardenix_profiles)
endif()
