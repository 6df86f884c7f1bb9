# Install rules, a CMake config package and a pkg-config file, so a game can use
# find_package(OvCore) or pkg-config instead of add_subdirectory.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ov_installed ovcore)
foreach(lib orvanecore ovplatform ovplatform_main audiere)
    if(TARGET ${lib})
        list(APPEND ov_installed ${lib})
    endif()
endforeach()
install(TARGETS ${ov_installed} EXPORT OvCoreTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION include/ovcore)
install(DIRECTORY core graphics scene gui formats net desktop sound platform audiere
    DESTINATION include/ovcore FILES_MATCHING PATTERN "*.h")
install(DIRECTORY engine/include/ DESTINATION include/ovcore FILES_MATCHING PATTERN "*.h")
install(EXPORT OvCoreTargets NAMESPACE OvCore:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/OvCore)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/OvCoreConfig.cmake.in
    ${CMAKE_BINARY_DIR}/OvCoreConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/OvCore)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/OvCoreConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/OvCoreConfig.cmake ${CMAKE_BINARY_DIR}/OvCoreConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/OvCore)
configure_file(${PROJECT_SOURCE_DIR}/cmake/ovcore.pc.in ${CMAKE_BINARY_DIR}/ovcore.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/ovcore.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
