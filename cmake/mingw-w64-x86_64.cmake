# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the variant with
# POSIX threads, which std::thread needs). The programs are linked statically,
# so they run under Wine or on Windows without the compiler's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_qv_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_qv_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_qv_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_qv_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_qv_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The programs run on this machine through Wine.
find_program(QV_WINE NAMES wine wine64)
if(QV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QV_WINE})
endif()
