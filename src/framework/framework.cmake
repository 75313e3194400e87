# The least Win32 framework layer: windows, components, forms, the application object,
# icons, image lists, popup menus, the system-folder library loader, the guard of our
# window procedures, kernel handles and the system's error texts.
if(WIN32)
  add_library(ardenix_framework STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Component.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Icon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuImagePainter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PopupMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemErrorText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemLibrary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UtilityWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinControl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowProcGuard.cpp)
  target_include_directories(ardenix_framework PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ardenix_framework PUBLIC ardenix_framework_logic comctl32 user32 gdi32 shell32)
endif()
