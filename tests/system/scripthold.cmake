# The apply's script held from its writing to netsh's end, with the netsh stand-in.
if(WIN32)
  ardenix_add_test(script_hold_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScriptHoldTest.cpp
    LIBS ardenix_win32_services ardenix_network ardenix_network_win32)
  target_include_directories(script_hold_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/profiles)
  ardenix_netsh_standin_beside(script_hold_test)
  target_compile_definitions(script_hold_test PRIVATE ARDENIX_EXE="$<TARGET_FILE:Ardenix>")
  add_dependencies(script_hold_test Ardenix)
  # The stand-in is started as "netsh.exe", also in the system's place; Wine runs it rather
  # than its own netsh only with this override.
  set_tests_properties(script_hold_test PROPERTIES RESOURCE_LOCK system_netsh
    ENVIRONMENT_MODIFICATION "WINEDLLOVERRIDES=set:mscoree,mshtml=\\;netsh.exe=n")
endif()
