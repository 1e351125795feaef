# The sanitizer build instruments everything, the test frameworks included,
# so that a fault is reported wherever it happens.
if(KORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
