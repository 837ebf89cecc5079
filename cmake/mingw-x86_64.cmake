# 64-bit Windows: the same program; this one runs under wine64 here.
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
