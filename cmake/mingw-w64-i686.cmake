# 32-bit Windows; its programs run under the 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PELLITON_WINE /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
