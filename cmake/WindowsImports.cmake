# A Windows program that needs a DLL Windows does not ship would not start on a modder's machine:
# building one fails instead (scripts/check-windows-imports, packaging/windows/system-dlls.txt).
function(pelliton_check_windows_imports target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-windows-imports ${CMAKE_OBJDUMP}
            ${PROJECT_SOURCE_DIR}/packaging/windows/system-dlls.txt $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
