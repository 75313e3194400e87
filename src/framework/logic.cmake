# The framework's platform-free arithmetic, built everywhere: fitting a window into the
# work area and resampling the image strip for the screen's scale.
add_library(ardenix_framework_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ScreenFit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageScaling.cpp
)
target_include_directories(ardenix_framework_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})
