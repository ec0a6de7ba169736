# Shared by the two toolchain files: cross-compiles for Windows with the posix-thread
# mingw-w64 toolchain of ${SCOURWAY_TRIPLET} (GoogleTest and std::thread need the
# posix model) and finds the target's own libraries only.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${SCOURWAY_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCOURWAY_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${SCOURWAY_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCOURWAY_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
