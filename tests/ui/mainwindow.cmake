# The list's caption order: natively the rule, under Wine also lstrcmpA itself.
ardenix_add_test(caption_order_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CaptionOrderTest.cpp ${CMAKE_CURRENT_LIST_DIR}/CaptionOrder.cpp)

# The real main window and credits dialog, driven by messages, with a store beside the
# test program.
if(WIN32)
  ardenix_add_test(mainwindow_test GUI TIMEOUT 300
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AboutFormTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AdapterWindowTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
            ${CMAKE_CURRENT_LIST_DIR}/StoreKeepingTest.cpp
            ${CMAKE_SOURCE_DIR}/src/ui/res/Ardenix.rc
    LIBS ardenix_mainwindow)
  target_include_directories(mainwindow_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui/res
                             ${CMAKE_SOURCE_DIR}/tests/profiles)

  # Ardenix.exe as built: its resources, start-up with a store beside it, closing.
  ardenix_add_test(ardenix_program_test GUI TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProgramTest.cpp
    LIBS version comctl32)
  target_compile_definitions(ardenix_program_test PRIVATE ARDENIX_EXE="$<TARGET_FILE:Ardenix>")
  add_dependencies(ardenix_program_test Ardenix)
endif()
