# Instrumented builds, each in a build folder of its own.
#
# VENDRAL_SANITIZE: everything built with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report ends the program with an error.
option(VENDRAL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VENDRAL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# VENDRAL_SANITIZE_THREADS: everything built with ThreadSanitizer, for the
# reading threads; a report ends the program with an error.
option(VENDRAL_SANITIZE_THREADS "Build with ThreadSanitizer" OFF)
if(VENDRAL_SANITIZE_THREADS)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# VENDRAL_FUZZ: the libFuzzer targets of fuzz/, with everything they link
# instrumented for coverage and built with both sanitizers. Needs clang.
option(VENDRAL_FUZZ "Build the libFuzzer targets in fuzz/ (clang)" OFF)
if(VENDRAL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VENDRAL_FUZZ needs clang: configure with CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
