# The editor's lines about a profile's network, in the real main window with a store
# beside the test program, and the editor alone with the program's rights set.
if(WIN32)
  ardenix_add_test(editor_network_test GUI TIMEOUT 300
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/EditorNetworkTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(editor_network_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res
                             ${CMAKE_SOURCE_DIR}/tests/profiles)
endif()
