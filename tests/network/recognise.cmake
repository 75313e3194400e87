ardenix_add_test(network_recognise_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ProfileNetworkTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NetworkRecogniserTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NetworkArrivalTest.cpp
  LIBS ardenix_network)
