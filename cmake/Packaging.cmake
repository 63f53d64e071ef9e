# What a system-wide install adds to the programs and their desktop files (manual pages,
# shell completion, the copyright file and changelog), and the Debian package CPack makes of
# the whole install: `cmake --workflow --preset package`, or `cpack -G DEB` in a release build.

# The date the manual pages and the changelog give this version.
set(VENDREL_RELEASE_DATE "2026-11-01")

# Manual pages are hand-written troff in docs/man, given the version and date here and
# installed compressed, as Debian expects. VENDREL_MAN_DIR holds the uncompressed pages.
set(VENDREL_MAN_DIR "${PROJECT_BINARY_DIR}/man")
set(manOutputs)
foreach(page vendrel.1 vendrel-pack.1)
  configure_file(docs/man/${page}.in "${VENDREL_MAN_DIR}/${page}" @ONLY)
  add_custom_command(OUTPUT "${VENDREL_MAN_DIR}/${page}.gz"
    COMMAND gzip -9nkf "${VENDREL_MAN_DIR}/${page}"
    DEPENDS "${VENDREL_MAN_DIR}/${page}")
  list(APPEND manOutputs "${VENDREL_MAN_DIR}/${page}.gz")
  install(FILES "${VENDREL_MAN_DIR}/${page}.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(vendrel_man_pages ALL DEPENDS ${manOutputs})

# vendrel-pack's completion, where each shell looks for it: bash-completion loads its file the
# first time vendrel-pack is completed, zsh and fish find theirs on their vendor paths.
install(FILES data/completion/vendrel-pack
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES data/completion/_vendrel-pack
  DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES data/completion/vendrel-pack.fish
  DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

# The package's documentation folder: copyright and a changelog, gzipped like the pages.
set(changelog "${PROJECT_BINARY_DIR}/doc/changelog")
configure_file(data/debian/changelog.in "${changelog}" @ONLY)
add_custom_command(OUTPUT "${changelog}.gz"
  COMMAND gzip -9nkf "${changelog}"
  DEPENDS "${changelog}")
add_custom_target(vendrel_changelog ALL DEPENDS "${changelog}.gz")
install(FILES data/debian/copyright "${changelog}.gz"
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vendrel)

# The Debian package, named vendrel_VERSION_ARCH.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vendrel)
set(CPACK_PACKAGE_VENDOR "Vendrel")
set(CPACK_PACKAGE_CONTACT "Vendrel Maintainers <maintainers@vendrel.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://vendrel.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "packs video-editor template folders into template packages")
# Lines of the long description stay under 80 columns, and none may begin with ".".
set(CPACK_PACKAGE_DESCRIPTION
  "Vendrel packs a video-editor template's project folder, with all its
sub-folders, into one template package: a zip archive whose extension names
the package kind (Express Project, Title, Transition, Magic Style, DVD Menu or
PiP Objects). Its window shows each file as it is packed, a progress bar and a
cancel button; the command vendrel-pack makes the same packages from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The runtime libraries come from the binaries themselves, through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own translated texts (standard buttons, the file dialog) are read from the system's
# catalogues at run time; the program's own are built in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
