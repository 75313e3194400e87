# The exported batch file run by cmd under Wine, the system's netsh being the stand-in.
if(WIN32)
  ardenix_add_test(batch_file_end_to_end_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/BatchFileEndToEndTest.cpp
    LIBS ardenix_profiles ardenix_win32_services)
  ardenix_netsh_standin_beside(batch_file_end_to_end_test)
  # Wine runs the files put in place of its netsh and net only with these overrides, read
  # when a process starts; net falls back to Wine's own while its file is Wine's.
  set_tests_properties(batch_file_end_to_end_test PROPERTIES RESOURCE_LOCK system_netsh
    ENVIRONMENT_MODIFICATION "WINEDLLOVERRIDES=set:mscoree,mshtml=\\;netsh.exe=n\\;net.exe=n,b")
endif()
