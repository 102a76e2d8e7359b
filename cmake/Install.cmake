# Install rules and the CMake package "NRVXReposic", for a host program built outside this tree:
#   cmake --install <build> --prefix /opt/nrvx
#   find_package(NRVXReposic) with CMAKE_PREFIX_PATH=/opt/nrvx
# Included at the end of the top-level CMakeLists, once every library target exists.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(NRVX_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/nrvx)
set(NRVX_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/nrvx)
set(NRVX_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/NRVXReposic)

# Every library a host may link, in dependency order; folders not built yet are skipped.
set(_nrvx_public_libs
  nrvx_db nrvx_ui nrvx_report nrvx_host nrvx_controls nrvx_components nrvx_demo
  nrvx_frame nrvx_data nrvx_prefactura nrvx_grupos nrvx_perecederos nrvx_restos
  nrvx_casacion nrvx_visorcfg nrvx_reposic)
set(_nrvx_install_targets)
foreach(_lib IN LISTS _nrvx_public_libs)
  if(NOT TARGET ${_lib})
    continue()
  endif()
  list(APPEND _nrvx_install_targets ${_lib})
  get_target_property(_type ${_lib} TYPE)
  if(NOT _type STREQUAL "INTERFACE_LIBRARY")
    # The build reads headers from the source tree; an installed library from the prefix.
    set_property(TARGET ${_lib} PROPERTY INTERFACE_INCLUDE_DIRECTORIES
      "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>"
      "$<INSTALL_INTERFACE:${NRVX_INSTALL_INCLUDEDIR}>")
    set_property(TARGET ${_lib} PROPERTY EXPORT_NAME ${_lib})
  endif()
endforeach()

# qt_add_resources puts the built-in schema of the demo generator into object libraries that
# the generator links; they travel with it.
if(TARGET nrvx_demo)
  get_target_property(_demo_links nrvx_demo INTERFACE_LINK_LIBRARIES)
  foreach(_link IN LISTS _demo_links)
    string(REGEX MATCH "nrvx_demo_resources_[0-9]+" _res "${_link}")
    if(_res AND TARGET ${_res})
      list(APPEND _nrvx_install_targets ${_res})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES _nrvx_install_targets)
endif()

install(TARGETS ${_nrvx_install_targets}
  EXPORT NRVXReposicTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/nrvx-objects
  INCLUDES DESTINATION ${NRVX_INSTALL_INCLUDEDIR})

# Public headers of the libraries; the host program's own sources are not an API.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/
  DESTINATION ${NRVX_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h"
  PATTERN "host/app" EXCLUDE)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/sql/ DESTINATION ${NRVX_INSTALL_DATADIR}/sql)
if(EXISTS ${PROJECT_SOURCE_DIR}/rpt)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/rpt/ DESTINATION ${NRVX_INSTALL_DATADIR}/rpt)
endif()

install(EXPORT NRVXReposicTargets
  NAMESPACE NRVXReposic::
  DESTINATION ${NRVX_INSTALL_CMAKEDIR})

configure_package_config_file(
  ${PROJECT_SOURCE_DIR}/cmake/package/NRVXReposicConfig.cmake.in
  ${PROJECT_BINARY_DIR}/package/NRVXReposicConfig.cmake
  INSTALL_DESTINATION ${NRVX_INSTALL_CMAKEDIR}
  PATH_VARS NRVX_INSTALL_INCLUDEDIR NRVX_INSTALL_DATADIR)
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/package/NRVXReposicConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/package/NRVXReposicConfig.cmake
  ${PROJECT_BINARY_DIR}/package/NRVXReposicConfigVersion.cmake
  DESTINATION ${NRVX_INSTALL_CMAKEDIR})
