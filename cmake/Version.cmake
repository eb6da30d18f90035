# The version is written once, in src/common/Version.h, where --version and the About window read
# it; the build and the packages take it from there too. Sets PELLITON_VERSION (MAJOR.MINOR.REVISION).
set(PELLITON_VERSION_HEADER ${CMAKE_CURRENT_LIST_DIR}/../src/common/Version.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PELLITON_VERSION_HEADER})

set(PELLITON_VERSION "")
foreach(part Major Minor Revision)
  file(STRINGS ${PELLITON_VERSION_HEADER} line REGEX "kVersion${part} = [0-9]+;")
  if(NOT line MATCHES "kVersion${part} = ([0-9]+)")
    message(FATAL_ERROR "${PELLITON_VERSION_HEADER} gives no kVersion${part}")
  endif()
  list(APPEND PELLITON_VERSION ${CMAKE_MATCH_1})
endforeach()
list(JOIN PELLITON_VERSION "." PELLITON_VERSION)
