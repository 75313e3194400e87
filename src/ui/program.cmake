# The program itself (until the main window lands: a bare window).
if(WIN32)
  add_executable(Ardenix WIN32 ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
endif()
