# The editor's line about a profile's remembered network.
target_sources(ardenix_network PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NetworkDescription.cpp)
