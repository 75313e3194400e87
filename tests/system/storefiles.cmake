# The profile store on Windows: our INI layer against the private-profile functions, the
# Windows file steps, and saves killed midway.
if(WIN32)
  ardenix_add_test(store_wine_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/StoreWineTest.cpp
    LIBS ardenix_storefiles)

  add_executable(store_crash_child ${CMAKE_CURRENT_LIST_DIR}/StoreCrashChild.cpp)
  target_link_libraries(store_crash_child PRIVATE ardenix_storefiles)
  ardenix_add_test(store_crash_test TIMEOUT 600
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/StoreCrashTest.cpp
    LIBS ardenix_storefiles)
  add_dependencies(store_crash_test store_crash_child)
  # Eighty processes at once load the machine: timing-sensitive tests never run beside it.
  set_tests_properties(store_crash_test PROPERTIES RUN_SERIAL TRUE)
endif()
if(TARGET store_wine_test)
  target_include_directories(store_wine_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/profiles)
endif()
