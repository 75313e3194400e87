# Windows services behind the profile logic's interfaces: files, starting netsh, the save
# dialog, the executable's and the system's paths.
if(WIN32)
  add_library(ardenix_win32_services STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ProcessElevation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32FileSystem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32ProgramStarter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32StartedProgram.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32SaveNameAsker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32SystemPaths.cpp
  )
  target_include_directories(ardenix_win32_services PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_win32_services PUBLIC ardenix_profiles ardenix_framework
                        ardenix_network_win32 PRIVATE shell32 advapi32)
endif()
