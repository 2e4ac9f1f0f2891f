# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compiler (posix
# threads, for std::thread and friends), linked statically so that the .exe
# files need no DLLs beside them. zlib comes from libz-mingw-w64-dev; zstd,
# liblzma, bzip2, ISA-L and GoogleTest from the prefix that
# scripts/windows-deps fills (build-windows-deps/prefix, or
# $VENDRAL_WINDOWS_DEPS_DIR/prefix). Use:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(DEFINED ENV{VENDRAL_WINDOWS_DEPS_DIR})
  set(VENDRAL_WINDOWS_PREFIX "$ENV{VENDRAL_WINDOWS_DEPS_DIR}/prefix")
else()
  get_filename_component(VENDRAL_WINDOWS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build-windows-deps/prefix" ABSOLUTE)
endif()
# The static Qt of scripts/windows-qt (build-windows-qt/prefix, or
# $VENDRAL_WINDOWS_QT_DIR/prefix), for the window; moc, rcc and uic are the
# host's own Qt tools of the same version.
if(DEFINED ENV{VENDRAL_WINDOWS_QT_DIR})
  set(VENDRAL_WINDOWS_QT_PREFIX "$ENV{VENDRAL_WINDOWS_QT_DIR}/prefix")
else()
  get_filename_component(VENDRAL_WINDOWS_QT_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build-windows-qt/prefix" ABSOLUTE)
endif()
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${VENDRAL_WINDOWS_PREFIX}" "${VENDRAL_WINDOWS_QT_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_LIBDIR} "${VENDRAL_WINDOWS_PREFIX}/lib/pkgconfig")

# Static: the C and C++ runtimes and winpthread go into the program, and
# zlib's static archive is taken over its DLL's import library. liblzma's
# header declares its functions as DLL imports unless told otherwise.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(ZLIB_LIBRARY /usr/x86_64-w64-mingw32/lib/libz.a CACHE FILEPATH "zlib, static")
set(CMAKE_C_FLAGS_INIT "-DLZMA_API_STATIC")
set(CMAKE_CXX_FLAGS_INIT "-DLZMA_API_STATIC")

# Test discovery runs the test programs at build time.
find_program(VENDRAL_WINE wine)
if(VENDRAL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VENDRAL_WINE})
endif()
