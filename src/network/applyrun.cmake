# The decisions of one apply, from the start of netsh to its report.
target_sources(ardenix_network PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ApplyRun.cpp
)
