if(WIN32)
  ardenix_add_test(wine_host_test GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/WineHostTest.cpp)
endif()
