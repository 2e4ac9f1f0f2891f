# The Debian package: `cpack` in a Release build folder makes it from the
# install rules. Its run-time dependencies are computed by dpkg-shlibdeps
# from the programs' libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vendral)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "The Vendral developers <vendral@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prepare multiFASTA protein and nucleotide files")
set(CPACK_PACKAGE_DESCRIPTION
    "Vendral prepares collections of protein and nucleotide sequences in
multiFASTA files: the thermostability index of proteins (Ardenta), GC
content (GC-content), a length filter (Lenmark), a filter by a list of
descriptions (Listrel) and renumbering (Ordinel). Each tool is a tab of
one window, Vendral, which remembers its field values; vendral-cli runs the
same tools from the command line and writes the same bytes.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
