# Cross build for Windows with Debian's mingw-w64, for the CMAKE_SYSTEM_PROCESSOR and the Wine
# (PELLITON_WINE) that the including toolchain file sets. The -posix compilers: std::mutex and
# std::thread need the POSIX thread model. Every program is linked statically, so that it needs
# only the DLLs Windows itself ships.
set(CMAKE_SYSTEM_NAME Windows)
set(PELLITON_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${PELLITON_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELLITON_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PELLITON_MINGW_TRIPLE}-windres)

# Debian's mingw-w64 libraries, and libsquish as scripts/build-squish-windows builds it from Debian's
# source package (Debian packages libsquish for Linux only).
cmake_path(SET PELLITON_SQUISH_ROOT NORMALIZE
           ${CMAKE_CURRENT_LIST_DIR}/../build-deps/libsquish/${PELLITON_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH /usr/${PELLITON_MINGW_TRIPLE} ${PELLITON_SQUISH_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# A released program carries no symbol table: it is about half the size without.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT -s)
# Test programs run under Wine on the build machine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PELLITON_WINE})
