# Following an apply to its report on the real timer, with doubles for the rest.
if(WIN32)
  ardenix_add_test(apply_follower_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplyFollowerTest.cpp
    LIBS ardenix_apply_follower)
  target_include_directories(apply_follower_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/network
                             ${CMAKE_SOURCE_DIR}/tests/trayicon)
endif()
