ardenix_add_test(netsh_script_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BatchFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NetshScriptTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SiblingPathTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdFileSystemTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileActionsTest.cpp
  LIBS ardenix_profiles)
