# 32-bit Windows; its programs run under the 32-bit Wine.
# libsquish is built for it with -msse2 -mfpmath=sse (scripts/build-squish-windows), so that its
# floats round as on x86_64; our own code from picture to RSH file computes in integers only.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PELLITON_WINE /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
