# The Debian package: `cpack -G DEB` in the build folder writes orvik-view_<version>_<arch>.deb
# from what cmake --install puts in place, with its dependencies worked out from the programs
# by dpkg-shlibdeps, and the package's own documents (copyright, changelog) beside them.
set(ORVIK_PACKAGE_CONTACT "The Orvik View developers <maintainers@orvikview.org>")
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/orvik-view)

# The changelog holds one entry, for this version, dated in the Debian way.
execute_process(COMMAND date -u -R -d "${ORVIK_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE ORVIK_RELEASE_DAY OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(debian/changelog.in changelog @ONLY)
add_custom_command(
  OUTPUT changelog.gz
  COMMAND ${GZIP} -9nkf changelog
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz debian/copyright DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvik-view)
set(CPACK_PACKAGE_VENDOR "The Orvik View developers")
set(CPACK_PACKAGE_CONTACT ${ORVIK_PACKAGE_CONTACT})
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Orvik View shows recordings stored as one file per captured frame in\n"
    "date-and-hour folders: it orders them by time, steps, scrubs and plays them\n"
    "forward or backward at one to eight times real time, jumps to a typed date\n"
    "and time and tunes brightness, contrast, hue and saturation live.\n"
    "orvik-frame lists, checks, decodes and rewraps frames from the command line;\n"
    "orvik-mkrec writes generated recordings.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
