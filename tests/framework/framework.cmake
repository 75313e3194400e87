if(WIN32)
  ardenix_add_test(framework_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplicationTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ComponentTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/FormTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/IconTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/PopupMenuTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/RunTest.cpp
    LIBS ardenix_framework)
endif()
