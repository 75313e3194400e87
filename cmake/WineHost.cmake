# Runs the Windows build's tests under Wine. Every test program goes through
# cmake/wine-run.sh, which points it at the private prefix and display that the
# wine_host fixture set up in ${ARDENIX_WINE_HOST_DIR}.
set(ARDENIX_WINE_HOST_DIR ${CMAKE_BINARY_DIR}/wine-host)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${ARDENIX_WINE_HOST_DIR}
    CACHE INTERNAL "")

function(ardenix_add_wine_host_fixture keepalive_target)
  add_test(NAME wine_host_start
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-host.sh start ${ARDENIX_WINE_HOST_DIR}
            $<TARGET_FILE:${keepalive_target}>)
  set_tests_properties(wine_host_start PROPERTIES FIXTURES_SETUP wine_host TIMEOUT 600)
  add_test(NAME wine_host_stop
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-host.sh stop ${ARDENIX_WINE_HOST_DIR})
  set_tests_properties(wine_host_stop PROPERTIES FIXTURES_CLEANUP wine_host TIMEOUT 120)
endfunction()
