# The profile store's file steps on Windows.
if(WIN32)
  add_library(ardenix_storefiles STATIC ${CMAKE_CURRENT_LIST_DIR}/Win32StoreFiles.cpp)
  target_include_directories(ardenix_storefiles PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_storefiles PUBLIC ardenix_profiles)
endif()
