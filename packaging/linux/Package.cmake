# The Debian package: the three programs, the menu entry and icon, the RSH and WTP file types,
# manual pages made from the programs' own --help, and Debian's copyright and changelog.
include(GNUInstallDirs)
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

set(packaged_targets pelliton pelliton-extract pelliton-rsh package-documents)
install(TARGETS pelliton pelliton-extract pelliton-rsh RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/pelliton.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/pelliton.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/pelliton-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME pelliton.xml)

# Debian wants manual pages and changelogs compressed at the highest level, with no file name or time
# in the gzip header.
set(descriptions
    "pelliton\;view Dawn of War RSH textures and WTP team colour patterns in a window"
    "pelliton-extract\;write the first texture of each Dawn of War RSH file as a DDS or TGA file"
    "pelliton-rsh\;list, extract and replace the textures of Dawn of War RSH and WTP files")
set(manual_pages)
foreach(entry IN LISTS descriptions)
  list(GET entry 0 program)
  list(GET entry 1 description)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${program}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1 --name=${description} --output=${page}
            $<TARGET_FILE:${program}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${program}
    COMMENT "Writing the manual page of ${program}"
    VERBATIM)
  list(APPEND manual_pages ${page}.gz)
endforeach()
add_custom_command(OUTPUT changelog.gz
  COMMAND ${GZIP} -9nc ${CMAKE_CURRENT_LIST_DIR}/changelog > changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(package-documents DEPENDS ${manual_pages} changelog.gz)
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pelliton)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Pelliton opens the texture files (RSH) and team colour patterns (WTP) of the
2004 PC game Warhammer 40,000: Dawn of War. The window lists a file's chunks
and textures, writes a texture out as a DDS or TGA file and previews it, and
paints a pattern in an army's colours. pelliton-extract does the same without
a window; pelliton-rsh serves the round trip: every texture of a file or a
whole mod folder out as DDS, TGA or PNG pictures, and edited pictures back in.")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
