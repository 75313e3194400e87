# The Win32 adapter reader: one node of the IP helper's list by hand, the names-only
# reading against the full one, and the whole reading against the host's interfaces
# (adapter-e2e.sh).
if(WIN32)
  ardenix_add_test(win32_adapter_node_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/Win32AdapterNodeTest.cpp
    LIBS ardenix_network_win32 ws2_32)
  ardenix_add_test(win32_adapter_source_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/Win32AdapterSourceTest.cpp
    LIBS ardenix_network_win32)

  add_executable(adapter_probe ${CMAKE_CURRENT_LIST_DIR}/AdapterProbe.cpp)
  target_link_libraries(adapter_probe PRIVATE ardenix_network_win32)
  add_test(NAME adapter_e2e_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/adapter-e2e.sh ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:adapter_probe>)
  set_tests_properties(adapter_e2e_test PROPERTIES FIXTURES_REQUIRED wine_host TIMEOUT 120)
endif()
