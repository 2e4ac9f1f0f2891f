# Instrumented builds, each in a build folder of its own.
#
# VENDRAL_SANITIZE: everything built with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report ends the program with an error.
option(VENDRAL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VENDRAL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
