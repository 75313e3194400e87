# One window program per profile store: a second start hands over to the running one.
if(WIN32)
  add_library(ardenix_store_instance STATIC ${CMAKE_CURRENT_LIST_DIR}/StoreInstance.cpp)
  target_include_directories(ardenix_store_instance PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_store_instance PUBLIC ardenix_framework user32 kernel32)
endif()

# The program claims its store at start-up.
if(TARGET Ardenix)
  target_link_libraries(Ardenix PRIVATE ardenix_store_instance)
endif()
