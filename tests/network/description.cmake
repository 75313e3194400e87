# The editor's line about a profile's remembered network.
ardenix_add_test(network_description_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkDescriptionTest.cpp
  LIBS ardenix_network)
