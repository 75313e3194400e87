ardenix_add_test(network_apply_run_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplyRunTest.cpp
  LIBS ardenix_network)

# Any profile, any readings: "verified" only when every compared member is as wanted.
ardenix_add_fuzzer(network_report_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ReportFuzzer.cpp
  LIBS ardenix_network)
