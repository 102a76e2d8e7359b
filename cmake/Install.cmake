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

# The programs, with what they read at run time under share/nrvx (found there from bin/../share),
# and the host program's menu entry and icon.
foreach(_prog nrvx-host nrvx-sql nrvx-reposic)
  if(TARGET ${_prog})
    install(TARGETS ${_prog} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/contrib/nrvx-host.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/contrib/nrvx-host.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/contrib/systemd ${PROJECT_SOURCE_DIR}/contrib/cron
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/contrib/logrotate.nrvx
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# cpack -G DEB (from the build folder) builds a Debian package of the above.
set(CPACK_PACKAGE_NAME nrvx-reposic)
set(CPACK_PACKAGE_VENDOR "Norvex")
set(CPACK_PACKAGE_CONTACT "Norvex <soporte@norvex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Store replenishment for the Norvex ERP")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
find_program(NRVX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NRVX_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
# Printing goes through CUPS; SQL Server through unixODBC and FreeTDS.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, tdsodbc")
include(CPack)
