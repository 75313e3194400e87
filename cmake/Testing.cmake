# Test helpers shared by every folder under tests/.
#
#   ardenix_add_test(NAME SOURCES ... LIBS ... [GUI] [TIMEOUT s])
#     A GoogleTest program. Native builds register each test case with CTest; the
#     Windows build runs the whole program under Wine as one CTest test, inside the
#     Wine host fixture (a private prefix, an Xvfb display, one long-lived Wine session).
#     GUI marks a test that opens windows: those never run concurrently.
#
#   ardenix_add_fuzzer(NAME SOURCES ... LIBS ...)
#     A libFuzzer target, built and run (for ARDENIX_FUZZ_SECONDS) only in the fuzz preset.

set(ARDENIX_FUZZ_SECONDS 20 CACHE STRING "How long each fuzzer runs under CTest")

function(ardenix_add_test name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(ARDENIX_FUZZ)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gmock gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES
      FIXTURES_REQUIRED wine_host
      TIMEOUT ${T_TIMEOUT}
      ENVIRONMENT "ARDENIX_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
    if(T_GUI)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
  else()
    include(GoogleTest)
    gtest_discover_tests(${name}
      PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "ARDENIX_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

function(ardenix_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ARDENIX_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}
    COMMAND ${name} -max_total_time=${ARDENIX_FUZZ_SECONDS} -rss_limit_mb=4096 -timeout=10
            -print_final_stats=1 ${corpus})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# Tests that put the stand-in netsh in place of the system's look for it beside their own
# program: a copy is made there after every build of the test.
function(ardenix_netsh_standin_beside target)
  add_dependencies(${target} netsh_standin)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:netsh_standin>
            $<TARGET_FILE_DIR:${target}>/netsh_standin.exe)
endfunction()
