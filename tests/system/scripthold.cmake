# The apply's script held from its writing to netsh's end, with the netsh stand-in.
if(WIN32)
  ardenix_add_test(script_hold_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScriptHoldTest.cpp
    LIBS ardenix_win32_services)
  target_include_directories(script_hold_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/profiles)
  ardenix_netsh_standin_beside(script_hold_test)
  # The stand-in is started as "netsh.exe"; Wine runs it rather than its own netsh only
  # with this override.
  set_tests_properties(script_hold_test PROPERTIES
    ENVIRONMENT_MODIFICATION "WINEDLLOVERRIDES=set:mscoree,mshtml=\\;netsh.exe=n")
endif()
