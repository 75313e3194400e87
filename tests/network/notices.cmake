# The words of the offer balloon.
ardenix_add_test(network_notices_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/OfferTextTest.cpp
  LIBS ardenix_network)
