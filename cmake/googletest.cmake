# GoogleTest from Debian's source package, built for whichever target this tree builds for
# (the prebuilt library in libgtest-dev is for the native 64-bit target only).
set(GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)
# GCC 12 warns falsely inside GoogleTest's own sources; our code keeps every warning.
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)
