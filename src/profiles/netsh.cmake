# Writing netsh scripts, and applying and exporting a profile through them.
target_sources(ardenix_profiles PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FileSystem.cpp
)
