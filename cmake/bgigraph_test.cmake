# bgigraph_add_test(NAME SOURCES file... LIBRARIES target... [TIMEOUT seconds])
#
# A GoogleTest executable NAME made of SOURCES and linked with LIBRARIES, GoogleTest and its
# main. Where it runs natively each of its tests is a test of its own; in a cross build,
# which runs it through Wine (a second or more a start), the executable is one test.
# TIMEOUT is that of each native test (CTest's default when not given).
function(bgigraph_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT" "SOURCES;LIBRARIES")
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  elseif(arg_TIMEOUT)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${arg_TIMEOUT})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
