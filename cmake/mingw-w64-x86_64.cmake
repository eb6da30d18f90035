# 64-bit Windows; its programs run under the 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PELLITON_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
