# bgigraph_library(NAME SOURCES file... PUBLIC_HEADERS file... [PUBLIC_HEADER_DIR dir])
#
# Makes the library bgigraph_NAME of the package, BgiGraph::NAME both here and once
# installed. What it shows and to whom:
# - Its public headers, PUBLIC_HEADERS under PUBLIC_HEADER_DIR (include/ by default, where
#   they lie as NAME/header.h), are all that the libraries and programs linking it see, and
#   all that cmake --install copies of it (to include/bgigraph/). They are included as
#   "NAME/header.h" here and once installed.
# - Its folder is its private include folder: its own sources include their private headers
#   relative to it ("driver_state.h", "x11/x11_window.h").
# - bgigraph_NAME_internals, an INTERFACE target that is neither installed nor exported,
#   adds that private folder for whatever must see inside the library: its tests, and a
#   library of this stack that is the library's own client (the window driver is the
#   layer's and the platform's).
include(GNUInstallDirs)

function(bgigraph_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PUBLIC_HEADER_DIR" "SOURCES;PUBLIC_HEADERS")
  if(NOT arg_PUBLIC_HEADER_DIR)
    set(arg_PUBLIC_HEADER_DIR include)
  endif()
  set(target bgigraph_${name})
  add_library(${target} ${arg_SOURCES})
  add_library(BgiGraph::${name} ALIAS ${target})
  # Built as shared libraries, the installed ones find each other where they lie, and carry
  # the package's version with its major number as the ABI's.
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name} INSTALL_RPATH "$ORIGIN"
                        VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  target_sources(${target} PUBLIC FILE_SET HEADERS BASE_DIRS ${arg_PUBLIC_HEADER_DIR}
                                  FILES ${arg_PUBLIC_HEADERS})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_features(${target} PUBLIC cxx_std_20)

  add_library(${target}_internals INTERFACE)
  target_include_directories(${target}_internals INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target}_internals INTERFACE ${target})
endfunction()

# bgigraph_link_internals(TARGET LIBRARY...): TARGET, a library of the package, sees inside
# each LIBRARY (the private folder of bgigraph_LIBRARY_internals) while it is built; the
# installed package keeps no trace of it.
function(bgigraph_link_internals target)
  foreach(library ${ARGN})
    target_include_directories(
      ${target} PRIVATE $<TARGET_PROPERTY:bgigraph_${library}_internals,INTERFACE_INCLUDE_DIRECTORIES>)
  endforeach()
endfunction()
