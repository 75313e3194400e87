# Writing netsh scripts and batch files, and applying and exporting a profile through them.
target_sources(ardenix_profiles PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BatchFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileSystem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NetshScript.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileActions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SiblingPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdFileSystem.cpp
)
