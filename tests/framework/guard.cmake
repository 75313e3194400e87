# The guard of our window procedures and the system-folder library loader.
if(WIN32)
  ardenix_add_test(framework_guard_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowProcGuardTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/SystemLibraryTest.cpp
    LIBS ardenix_framework)
endif()
