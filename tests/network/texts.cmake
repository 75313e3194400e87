ardenix_add_test(network_texts_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ActiveProfilesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AdapterStatusTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CurrentSettingsTest.cpp
  LIBS ardenix_network)
