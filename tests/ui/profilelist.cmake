# The profile list on its own: a real list-view control under Wine, its order, its
# selection tracking and what it shows.
if(WIN32)
  ardenix_add_test(profile_list_test GUI TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProfileListViewTest.cpp
    LIBS ardenix_mainwindow comctl32)
endif()
