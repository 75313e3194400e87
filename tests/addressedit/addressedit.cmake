# The masked address field: its rules natively and under the fuzzer, the control under Wine.
ardenix_add_test(addressedit_rules_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AddressEditSetTextTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/AddressEditTypingTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/AddressEditKeysTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/AddressEditClipboardTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/AddressEditFocusMouseTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/AddressEditInvariantTest.cpp
  LIBS ardenix_addressedit_rules)

ardenix_add_fuzzer(addressedit_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AddressEditFuzzer.cpp
  LIBS ardenix_addressedit_rules)

if(WIN32)
  ardenix_add_test(addressedit_window_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/AddressEditWineTest.cpp
    LIBS ardenix_addressedit)
endif()
