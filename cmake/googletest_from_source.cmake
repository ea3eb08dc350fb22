# GoogleTest for a cross build: built from Debian's googletest source package with this
# build's compiler, as GTest::gtest and GTest::gtest_main like the installed one.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
if(EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its own code is not held to this tree's warnings.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  # Its own build names them GTest::gtest and GTest::gtest_main already.
  set(GTest_FOUND TRUE)
else()
  set(GTest_FOUND FALSE)
endif()
