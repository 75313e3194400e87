# An adapter renamed under a profile, end to end under Wine (rename-e2e.sh): a real
# interface made for the test in a network namespace of its own, with a Wine session and
# display of its own in there (prefix in wine-lab/, made once), so it needs no wine_host.
if(WIN32)
  add_executable(adapter_identity_probe ${CMAKE_CURRENT_LIST_DIR}/AdapterIdentityProbe.cpp)
  target_link_libraries(adapter_identity_probe PRIVATE ardenix_network_win32)

  add_test(NAME rename_e2e_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/rename-e2e.sh ${CMAKE_BINARY_DIR}/wine-lab
            $<TARGET_FILE:wine_keepalive> $<TARGET_FILE:Ardenix> $<TARGET_FILE:ArdenixConsole>
            $<TARGET_FILE:netsh_standin> $<TARGET_FILE:adapter_identity_probe>
            $<TARGET_FILE:adapter_window_probe>)
  # The first run makes the prefix: minutes on a loaded machine.
  set_tests_properties(rename_e2e_test PROPERTIES RESOURCE_LOCK wine_lab TIMEOUT 900)
endif()
