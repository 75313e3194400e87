# bench/run store: load plus save of the profile store, ours against the private-profile
# functions.
if(WIN32 AND NOT ARDENIX_FUZZ)
  add_executable(bench_store ${CMAKE_CURRENT_LIST_DIR}/StoreBench.cpp)
  target_link_libraries(bench_store PRIVATE ardenix_storefiles)
endif()
