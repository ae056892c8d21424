# Address and undefined-behaviour sanitizers for every target when QV_SANITIZE is on.
option(QV_SANITIZE "Build with address and undefined-behaviour sanitizers" OFF)
if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
