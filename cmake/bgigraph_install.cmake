# cmake --install: the libraries of BGIGRAPH_LIBRARIES with their public headers under
# include/bgigraph/ (each library's include folder as it is: "graph/graph.h", graphics.h at
# the top), the CMake package BgiGraph and the pkg-config module bgigraph. The list lives in
# the top-level CMakeLists.txt, the headers in each library's bgigraph_library() call;
# nothing here needs to change when they grow.
include(CMakePackageConfigHelpers)

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/BgiGraph)
set(targets "")
foreach(name ${BGIGRAPH_LIBRARIES})
  list(APPEND targets bgigraph_${name})
endforeach()

install(TARGETS ${targets} EXPORT BgiGraphTargets
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/bgigraph)

# The static and the shared libraries may lie side by side (the Debian package has both), each
# kind with its own file of targets; BgiGraphConfig.cmake picks one.
if(BUILD_SHARED_LIBS)
  set(BGIGRAPH_KIND shared)
else()
  set(BGIGRAPH_KIND static)
endif()
install(EXPORT BgiGraphTargets NAMESPACE BgiGraph:: DESTINATION ${package_dir}
        FILE BgiGraphTargets-${BGIGRAPH_KIND}.cmake)
set(BGIGRAPH_NEEDS_X11 OFF)
if(X11_FOUND AND X11_Xext_FOUND)
  set(BGIGRAPH_NEEDS_X11 ON)
endif()
configure_package_config_file(cmake/BgiGraphConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/BgiGraphConfig.cmake
                              INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/BgiGraphConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/BgiGraphConfig.cmake
              ${PROJECT_BINARY_DIR}/BgiGraphConfigVersion.cmake DESTINATION ${package_dir})

# pkg-config: the libraries in link order. Static libraries carry no record of what they
# need, so then their dependencies go where a plain --libs sees them; shared ones keep
# theirs private.
set(pc_libs "-L\${libdir}")
foreach(target ${targets})
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(output ${target} OUTPUT_NAME)
    if(NOT output)
      set(output ${target})
    endif()
    string(APPEND pc_libs " -l${output}")
  endif()
endforeach()
if(BUILD_SHARED_LIBS)
  set(pc_dependencies "Libs: ${pc_libs}\nLibs.private: -pthread\n")
  set(requires_field Requires.private)
else()
  # A C program links them too, so the C++ runtime is named. On Windows the system's
  # libraries follow, and -static puts the C++ runtime into the program, so that it runs
  # without the DLLs of the MinGW-w64 that built it.
  set(pc_system_libs "-lstdc++ -lm -pthread")
  if(WIN32)
    set(pc_system_libs "-static -lstdc++ -pthread -lgdi32 -luser32 -lwinmm")
  endif()
  set(pc_dependencies "Libs: ${pc_libs} ${pc_system_libs}\n")
  set(requires_field Requires)
endif()
if(BGIGRAPH_NEEDS_X11)
  string(APPEND pc_dependencies "${requires_field}: x11 xext\n")
endif()
# The file finds its prefix from where it lies, so `cmake --install --prefix` may put the
# tree anywhere.
file(RELATIVE_PATH pc_to_prefix /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
# Elsewhere than on Windows the compatibility <windows.h> is on the include path.
set(pc_compat_cflags "")
if(NOT WIN32)
  set(pc_compat_cflags " -I\${includedir}/compat")
endif()
configure_file(cmake/bgigraph.pc.in ${PROJECT_BINARY_DIR}/bgigraph.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/bgigraph.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
