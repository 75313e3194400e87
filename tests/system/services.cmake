if(WIN32)
  # The probe applies a profile as the program does.
  add_executable(apply_probe ${CMAKE_CURRENT_LIST_DIR}/ApplyProbe.cpp)
  target_link_libraries(apply_probe PRIVATE ardenix_win32_services)

  ardenix_add_test(win32_services_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/Win32ServicesTest.cpp
    LIBS ardenix_win32_services)
  target_include_directories(win32_services_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/profiles)
  ardenix_netsh_standin_beside(win32_services_test)

  ardenix_add_test(save_dialog_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SaveDialogTest.cpp
    LIBS ardenix_win32_services)

  ardenix_add_test(netsh_end_to_end_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetshEndToEndTest.cpp
    LIBS ardenix_profiles)
  add_dependencies(netsh_end_to_end_test apply_probe)
  ardenix_netsh_standin_beside(netsh_end_to_end_test)
  # Wine runs the stand-in put in place of its netsh only with this override, read when a
  # process starts: the test passes it on to the probe and from there to netsh. Other tests
  # swap the system's netsh too: never at the same time.
  set_tests_properties(netsh_end_to_end_test PROPERTIES RESOURCE_LOCK system_netsh
    ENVIRONMENT_MODIFICATION "WINEDLLOVERRIDES=set:mscoree,mshtml=\\;netsh.exe=n")
endif()

# The Run value that starts the program with Windows, in Wine's registry.
if(WIN32)
  ardenix_add_test(startup_value_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/StartupValueTest.cpp
    LIBS ardenix_win32_services)
endif()
