# Project-wide compile settings: strict warnings everywhere, sanitizers on request.
add_library(vendrel_options INTERFACE)
target_compile_options(vendrel_options INTERFACE -Wall -Wextra -Wpedantic -Werror)

if(VENDREL_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(vendrel_options INTERFACE ${_san})
  target_link_options(vendrel_options INTERFACE ${_san})
endif()
