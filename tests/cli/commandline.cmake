# The command line: its reading (natively and under Wine, there also against
# CommandLineToArgvW), and under Wine the program and its console companion answering
# a prompt (console-companion.sh).
ardenix_add_test(command_line_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CommandLineTest.cpp
  LIBS ardenix_command_line ardenix_profiles)
if(WIN32)
  target_link_libraries(command_line_test PRIVATE shell32)

  add_test(NAME console_companion_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/console-companion.sh ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:Ardenix> $<TARGET_FILE:ArdenixConsole>)
  # Without arguments the companion starts the window program, whose window and tray icon
  # would meet the window tests' own in the shared session.
  set_tests_properties(console_companion_test PROPERTIES
    FIXTURES_REQUIRED wine_host RESOURCE_LOCK wine_desktop TIMEOUT 120)
endif()

# /apply and /list of the real program against the host's interface, with the stand-in
# in place of the system's netsh (apply-e2e.sh).
if(WIN32)
  add_test(NAME apply_e2e_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/apply-e2e.sh ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:Ardenix> $<TARGET_FILE:ArdenixConsole> $<TARGET_FILE:netsh_standin>)
  set_tests_properties(apply_e2e_test PROPERTIES
    FIXTURES_REQUIRED wine_host RESOURCE_LOCK system_netsh TIMEOUT 180)
endif()

# Any command line through the splitter and the parser.
ardenix_add_fuzzer(command_line_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CommandLineFuzzer.cpp
  LIBS ardenix_command_line)
