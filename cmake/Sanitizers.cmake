# Address and undefined-behaviour sanitizers for every target when QV_SANITIZE is on.
option(QV_SANITIZE "Build with address and undefined-behaviour sanitizers" OFF)
if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The thread sanitizer (it cannot be combined with the address sanitizer).
option(QV_SANITIZE_THREAD "Build with the thread sanitizer" OFF)
if(QV_SANITIZE_THREAD)
  if(QV_SANITIZE)
    message(FATAL_ERROR "QV_SANITIZE and QV_SANITIZE_THREAD exclude each other")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
