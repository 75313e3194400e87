# The main window with the host's real interfaces under Wine (adapters-e2e.sh): the
# adapter box, Read Current Settings, the tray menu's check mark and the icon's tooltip.
if(WIN32)
  add_executable(adapter_window_probe ${CMAKE_CURRENT_LIST_DIR}/AdapterWindowProbe.cpp
                 ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc)
  target_include_directories(adapter_window_probe PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res)
  target_link_libraries(adapter_window_probe PRIVATE ardenix_mainwindow ardenix_network_win32)
  add_test(NAME adapters_window_e2e_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/adapters-e2e.sh ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:adapter_window_probe>)
  set_tests_properties(adapters_window_e2e_test PROPERTIES
    FIXTURES_REQUIRED wine_host RESOURCE_LOCK wine_desktop TIMEOUT 120)
endif()
