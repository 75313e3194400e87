# The main window, the credits dialog and the program itself.
if(WIN32)
  add_library(ardenix_mainwindow STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AboutForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChildWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CreditsLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Panel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileEditor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileListView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Splitter.cpp)
  target_include_directories(ardenix_mainwindow PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_mainwindow PUBLIC ardenix_framework ardenix_addressedit
                        ardenix_win32_services ardenix_storefiles ardenix_profiles ardenix_apply
                        comctl32 shell32 user32 gdi32)

  # Programs that make the main window link these resources: its images are resources of
  # the executable, and the manifest brings common controls 6 and per-monitor DPI.
  set(ARDENIX_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/res/Ardenix.rc)
  file(GLOB ARDENIX_RESOURCE_FILES ${CMAKE_CURRENT_LIST_DIR}/res/*.ico
       ${CMAKE_CURRENT_LIST_DIR}/res/*.bgra ${CMAKE_CURRENT_LIST_DIR}/res/*.manifest
       ${CMAKE_CURRENT_LIST_DIR}/res/*.h)
  set_source_files_properties(${ARDENIX_RESOURCES} PROPERTIES
                              OBJECT_DEPENDS "${ARDENIX_RESOURCE_FILES}")
  add_executable(Ardenix WIN32 ${CMAKE_CURRENT_LIST_DIR}/main.cpp ${ARDENIX_RESOURCES})
  target_include_directories(Ardenix PRIVATE ${CMAKE_CURRENT_LIST_DIR}/res)
  target_link_libraries(Ardenix PRIVATE ardenix_mainwindow ardenix_apply ardenix_console_output)
endif()
