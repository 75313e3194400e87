# What the program says about adapters: the status text, the tray tooltip and the
# editor's values read from an adapter.
target_sources(ardenix_network PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ActiveProfiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AdapterStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CurrentSettings.cpp
)
