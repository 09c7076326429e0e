# Manual pages for the installed programs, made at build time from the programs themselves
# (write-manual-page.cmake) and installed gzipped into section 1.
find_program(HELP2MAN help2man REQUIRED)

# The page of `target`: `summary` is its one-line NAME, `include` a help2man include file with the
# sections --help does not give (files, see also).
function(astrodesk_manual_page target summary include)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
    set(script ${PROJECT_SOURCE_DIR}/packaging/write-manual-page.cmake)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${HELP2MAN} -DPROGRAM=$<TARGET_FILE:${target}>
                "-DSUMMARY=${summary}" -DINCLUDE=${include} -DOUTPUT=${page} -P ${script}
        DEPENDS ${target} ${include} ${script}
        COMMENT "Writing the manual page of ${target}")
    add_custom_target(${target}_manual_page ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
