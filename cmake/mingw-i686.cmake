# The 32-bit Windows build: what ships.
set(KITEMARU_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
