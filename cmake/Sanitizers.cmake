# The test build runs everything under AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the test that caused it.
if(ZELVORAN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# The thread tests (timers, keep-alive beside requests) also run under
# ThreadSanitizer, in a build of its own: it cannot be combined with ASan.
if(ZELVORAN_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Fuzzing needs coverage feedback from all of our code, not only the harness.
if(ZELVORAN_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
