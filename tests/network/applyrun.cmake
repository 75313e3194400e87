ardenix_add_test(network_apply_run_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplyRunTest.cpp
  LIBS ardenix_network)
