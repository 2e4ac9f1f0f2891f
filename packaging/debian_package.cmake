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
# A cross-build is packed for the architecture it runs on, not this machine's.
if(CMAKE_CROSSCOMPILING)
  execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -q DEB_HOST_ARCH
                  OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
# dpkg-shlibdeps also looks for ISA-L where it was found outside the
# compiler's own folders (its arm64 files, unpacked by scripts/setup --arm64).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${ISAL_LIBRARY_DIRS})
if(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS)
  list(REMOVE_ITEM CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES})
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
