# The masked IPv4 address field: its editing rules (platform-free, built everywhere) and
# the Win32 control that shows them.
add_library(ardenix_addressedit_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AddressTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AddressEditRules.cpp)
target_include_directories(ardenix_addressedit_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(ardenix_addressedit_rules PUBLIC ardenix_profiles)

if(WIN32)
  add_library(ardenix_addressedit STATIC ${CMAKE_CURRENT_LIST_DIR}/AddressEdit.cpp)
  target_include_directories(ardenix_addressedit PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_addressedit PUBLIC ardenix_addressedit_rules ardenix_framework
                        user32 gdi32)
endif()
