# The decompression libraries. gzip goes through Intel's ISA-L when it is
# there (several times faster than zlib); zlib is always linked, as the
# fallback and because the tests write gzip data with it.
find_package(PkgConfig REQUIRED)
find_package(ZLIB REQUIRED)
find_package(BZip2 REQUIRED)
find_package(LibLZMA REQUIRED)
pkg_check_modules(ZSTD REQUIRED IMPORTED_TARGET libzstd)

option(VENDRAL_USE_ISAL "Decompress gzip with ISA-L where it is installed" ON)
# Debian ships ISA-L as a shared library only; a static build takes the one
# that scripts/static-isal builds from Debian's source into this folder.
set(VENDRAL_ISAL_PREFIX "" CACHE PATH "A folder with include/isa-l/ and lib/libisal.a, instead of pkg-config's ISA-L")
if(VENDRAL_USE_ISAL AND VENDRAL_ISAL_PREFIX)
  add_library(vendral_isal STATIC IMPORTED)
  set_target_properties(vendral_isal PROPERTIES
    IMPORTED_LOCATION ${VENDRAL_ISAL_PREFIX}/lib/libisal.a
    INTERFACE_INCLUDE_DIRECTORIES ${VENDRAL_ISAL_PREFIX}/include)
  add_library(PkgConfig::ISAL ALIAS vendral_isal)
  set(ISAL_FOUND TRUE)
  set(ISAL_VERSION "from ${VENDRAL_ISAL_PREFIX}")
elseif(VENDRAL_USE_ISAL)
  pkg_check_modules(ISAL IMPORTED_TARGET libisal)
endif()

add_library(vendral_compression_libraries INTERFACE)
target_link_libraries(vendral_compression_libraries INTERFACE
  ZLIB::ZLIB BZip2::BZip2 LibLZMA::LibLZMA PkgConfig::ZSTD)
if(ISAL_FOUND)
  target_link_libraries(vendral_compression_libraries INTERFACE PkgConfig::ISAL)
  target_compile_definitions(vendral_compression_libraries INTERFACE VENDRAL_GZIP_WITH_ISAL=1)
  message(STATUS "gzip: ISA-L ${ISAL_VERSION}")
else()
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/gzip_isal_decoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gzip_blocks_decoder.cpp PROPERTIES HEADER_FILE_ONLY ON)
  message(STATUS "gzip: zlib (ISA-L not found or not wanted)")
endif()
target_link_libraries(vendral_core PUBLIC vendral_compression_libraries)
