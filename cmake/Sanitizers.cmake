# MOSTARIUM_SANITIZE builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer. Undefined behaviour is not recovered from, so
# every finding ends the program and fails its test. scripts/asan.sh sets the
# run-time options.
option(MOSTARIUM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(MOSTARIUM_SANITIZE)
  if(MOSTARIUM_FUZZ)
    message(FATAL_ERROR "MOSTARIUM_SANITIZE and MOSTARIUM_FUZZ need build folders of their own")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
