# Cross-builds for Linux arm64 on a Debian x86-64 machine with Debian's cross
# compiler and the arm64 (multiarch) libraries; scripts/setup --arm64 installs
# them. Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Test discovery runs the arm64 test programs at build time. The emulator
# needs no -L: libc6:arm64 (which the arm64 libraries depend on) puts the
# loader where the programs look for it, and a loader from the cross
# toolchain's folder beside that C library hangs forked children.
find_program(VENDRAL_QEMU_AARCH64 qemu-aarch64)
if(VENDRAL_QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VENDRAL_QEMU_AARCH64})
endif()

# Debian 12's ISA-L packages are not multiarch, so their arm64 files cannot be
# installed beside the amd64 ones; scripts/setup --arm64 unpacks them here.
set(VENDRAL_ARM64_ISAL_ROOT /opt/vendral/isal-arm64)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_LIBDIR}
    "/usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig:${VENDRAL_ARM64_ISAL_ROOT}/usr/lib/aarch64-linux-gnu/pkgconfig")

# Qt's own tools (moc, rcc, uic) run on the build machine: the amd64 ones.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
