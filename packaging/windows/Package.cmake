# The Windows zip: the three programs, a README.txt for Windows users and the licence texts of every
# library the programs carry, in a folder named after the zip. Texts get Windows line ends, which
# every Notepad shows.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME pelliton-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

set(packaged_targets pelliton pelliton-extract pelliton-rsh)
install(TARGETS ${packaged_targets} RUNTIME DESTINATION .)

configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)

# Debian's copyright files of the packages the programs are linked from: zlib, the mingw-w64 CRT and
# winpthreads, and GCC's libstdc++ and libgcc (GPL 3 with the runtime library exception).
set(licences
    "Pelliton\;${PROJECT_SOURCE_DIR}/LICENSE"
    "zlib\;/usr/share/doc/libz-mingw-w64-dev/copyright"
    "mingw-w64\;/usr/share/doc/mingw-w64-common/copyright"
    "gcc-runtime\;/usr/share/doc/gcc-mingw-w64-base/copyright"
    "GPL-3\;/usr/share/common-licenses/GPL-3")
foreach(entry IN LISTS licences)
  list(GET entry 0 name)
  list(GET entry 1 source)
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "The licence of ${name} is not at ${source}: is its package installed?")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/licences/${name}.txt "${text}")
endforeach()
install(DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/licences DESTINATION .)
