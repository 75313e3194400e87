# The framework's platform-free arithmetic: native and under Wine alike.
ardenix_add_test(framework_logic_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScreenFitTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ImageScalingTest.cpp
  LIBS ardenix_framework_logic)
