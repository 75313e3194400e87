# The main window at another screen scale: its images rebuilt for the new DPI (toolbar,
# list, tray menu) and the placement inside the work area.
if(WIN32)
  ardenix_add_test(scale_test GUI TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScaleTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(scale_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res
                             ${CMAKE_SOURCE_DIR}/tests/profiles)
endif()
