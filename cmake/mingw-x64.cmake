# 64-bit Windows (x64): the same deliverables for 64-bit hosts.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SCOURWAY_TRIPLET x86_64-w64-mingw32)
set(SCOURWAY_ARCH x64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
