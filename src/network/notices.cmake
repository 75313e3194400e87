# What the user is told around an apply: that it is running, why it ran, and the offer of a
# profile whose network is here.
target_sources(ardenix_network PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ApplyNotice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OfferText.cpp
)
