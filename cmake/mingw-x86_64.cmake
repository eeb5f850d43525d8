# The same Windows build for x86-64: where a machine cannot run 32-bit
# programs, the Windows tests run on this build under 64-bit Wine.
set(KITEMARU_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
