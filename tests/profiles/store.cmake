ardenix_add_test(store_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CaptionNamesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IniFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileIniTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileStoreTest.cpp
  LIBS ardenix_profiles)

ardenix_add_fuzzer(store_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StoreFuzzer.cpp
  LIBS ardenix_profiles)
