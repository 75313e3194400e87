# Starting with Windows: the Run value's command and the item's decisions.
ardenix_add_test(start_with_windows_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StartWithWindowsTest.cpp
  LIBS ardenix_profiles)
