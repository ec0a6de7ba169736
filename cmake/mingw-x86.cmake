# 32-bit Windows (x86): the deliverables as shipped to every Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SCOURWAY_TRIPLET i686-w64-mingw32)
set(SCOURWAY_ARCH x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
