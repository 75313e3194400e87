if(WIN32)
  ardenix_add_test(wine_host_test GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/WineHostTest.cpp)
endif()

# Libraries planted beside the programs are never loaded (planted-libraries.sh).
if(WIN32)
  add_test(NAME planted_libraries_test
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/planted-libraries.sh ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:Ardenix> $<TARGET_FILE:ArdenixConsole> $<TARGET_FILE:planted_library>
            ${CMAKE_OBJDUMP})
  set_tests_properties(planted_libraries_test PROPERTIES FIXTURES_REQUIRED wine_host TIMEOUT 180)
endif()
