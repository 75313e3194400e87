# The profile store: its INI layer, the profiles' form in it, and saving it safely.
target_sources(ardenix_profiles PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CaptionNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniNameIndex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileIni.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdStoreFiles.cpp
)
