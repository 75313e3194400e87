# Reading the adapters through the IP helper, and their networks through its neighbour
# table and the WLAN service (Windows only).
if(WIN32)
  add_library(ardenix_network_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Win32AdapterNode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32AdapterSource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32NeighbourTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32WlanNames.cpp)
  target_include_directories(ardenix_network_win32 PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_network_win32 PUBLIC ardenix_network ardenix_framework)
endif()
