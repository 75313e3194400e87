# Starting with Windows: the Run value's command and whether it is this program's.
target_sources(ardenix_profiles PRIVATE ${CMAKE_CURRENT_LIST_DIR}/StartWithWindows.cpp)
