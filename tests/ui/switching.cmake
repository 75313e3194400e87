# Switching by itself, end to end under Wine with the real Ardenix.exe watched from
# outside (shown_text_reader): on the host's own gateway inside the wine_host session
# (switch-e2e.sh), and on a network whose gateway changes in a namespace of its own, with
# a session of its own in wine-lab/ like the rename test (network-change-e2e.sh).
if(WIN32)
  add_test(NAME switch_e2e_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/switch-e2e.sh ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:Ardenix> $<TARGET_FILE:ArdenixConsole> $<TARGET_FILE:netsh_standin>
            $<TARGET_FILE:shown_text_reader>)
  set_tests_properties(switch_e2e_test PROPERTIES
    FIXTURES_REQUIRED wine_host
    RESOURCE_LOCK "wine_desktop;system_netsh"
    TIMEOUT 300)

  add_test(NAME network_change_e2e_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/network-change-e2e.sh ${CMAKE_BINARY_DIR}/wine-lab
            $<TARGET_FILE:wine_keepalive> $<TARGET_FILE:Ardenix> $<TARGET_FILE:netsh_standin>
            $<TARGET_FILE:adapter_probe> $<TARGET_FILE:shown_text_reader>)
  # Shares the rename test's prefix and session directory: never both at once. The first
  # run makes the prefix: minutes on a loaded machine.
  set_tests_properties(network_change_e2e_test PROPERTIES RESOURCE_LOCK wine_lab TIMEOUT 900)
endif()
