# The command line: its platform-free reading (built everywhere, tested natively and
# under Wine), the answers on the standard streams, and Ardenix.com, the console
# companion that lets a prompt or a script wait for the program.
add_library(ardenix_command_line STATIC ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp)
target_include_directories(ardenix_command_line PUBLIC ${CMAKE_CURRENT_LIST_DIR})

if(WIN32)
  add_library(ardenix_console_output STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ConsoleOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandLineStart.cpp)
  target_link_libraries(ardenix_console_output PUBLIC ardenix_command_line)

  add_executable(ArdenixConsole ${CMAKE_CURRENT_LIST_DIR}/ConsoleCompanion.cpp)
  set_target_properties(ArdenixConsole PROPERTIES OUTPUT_NAME Ardenix SUFFIX .com)
  target_link_libraries(ArdenixConsole PRIVATE ardenix_console_output ardenix_network_win32)
endif()
