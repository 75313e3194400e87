# When the network watch reads the adapters: after a burst of the system's notices, or on
# a period where the system gives none (platform-free; the watch itself is in system).
target_sources(ardenix_network PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NetworkWatchSchedule.cpp)
