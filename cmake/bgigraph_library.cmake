# bgigraph_library(NAME): makes the target bgigraph_NAME, already added in the calling
# folder, a library of the package. It is BgiGraph::NAME both here and once installed, and
# brings the include root: this tree's root while building, include/bgigraph once installed,
# so headers are included as "graph/graph.h" either way.
include(GNUInstallDirs)

function(bgigraph_library name)
  set(target bgigraph_${name})
  add_library(BgiGraph::${name} ALIAS ${target})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  else()
    set(scope PUBLIC)
    # Built as shared libraries, the installed ones find each other where they lie.
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
  endif()
  target_include_directories(
    ${target} ${scope} $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/bgigraph>)
  target_compile_features(${target} ${scope} cxx_std_20)
endfunction()
