# Each profile's network: remembering it, recognising it on the profile's adapter, and
# deciding what to do when it arrives.
target_sources(ardenix_network PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/HardwareAddress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NetworkArrival.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NetworkRecogniser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileNetwork.cpp
)
