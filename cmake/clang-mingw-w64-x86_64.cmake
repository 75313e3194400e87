# Cross-build for Windows x64 with clang and lld on the MinGW-w64 headers and libraries:
# a second compiler for the Windows code beside GCC. clang's MinGW driver does not find
# the posix flavour of GCC's C++ library here, so its folders are named explicitly.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ARDENIX_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${ARDENIX_TRIPLE})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${ARDENIX_TRIPLE})
set(CMAKE_RC_COMPILER ${ARDENIX_TRIPLE}-windres)
set(CMAKE_SYSROOT /usr/${ARDENIX_TRIPLE})

# The posix thread model: the win32 one has no std::mutex, which googletest uses.
file(GLOB ARDENIX_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${ARDENIX_TRIPLE}/*-posix)
list(SORT ARDENIX_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET ARDENIX_GCC_DIRS 0 ARDENIX_GCC_DIR)
set(ARDENIX_CXX_HEADERS ${ARDENIX_GCC_DIR}/include/c++)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${ARDENIX_CXX_HEADERS}
    ${ARDENIX_CXX_HEADERS}/${ARDENIX_TRIPLE} ${ARDENIX_CXX_HEADERS}/backward)

set(CMAKE_FIND_ROOT_PATH /usr/${ARDENIX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Fully static, as with GCC: the executables need no DLL beyond the system's own.
set(ARDENIX_LINK_FLAGS "-fuse-ld=lld -L${ARDENIX_GCC_DIR} -static -lpthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${ARDENIX_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${ARDENIX_LINK_FLAGS}")
