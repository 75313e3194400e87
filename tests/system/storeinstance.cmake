# One window program per store: the claim's name, and real Ardenix processes started
# twice under Wine.
if(WIN32)
  ardenix_add_test(store_instance_test GUI TIMEOUT 300
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/StoreInstanceTest.cpp
    LIBS ardenix_store_instance)
  target_compile_definitions(store_instance_test PRIVATE ARDENIX_EXE="$<TARGET_FILE:Ardenix>")
  add_dependencies(store_instance_test Ardenix)
endif()
