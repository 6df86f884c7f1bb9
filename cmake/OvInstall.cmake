# Install rules, a CMake config package and pkg-config files, so a game can use
# find_package(OvCore) or pkg-config instead of add_subdirectory. Installed targets carry the
# names of the in-tree aliases (OvCore::ovcore, OvCore::engine, OvCore::platform,
# OvCore::audiere, OvCore::main), so a game's CMakeLists reads the same either way.
# The Windows cross build (scripts/cross-win32.sh) links DLLs it does not build: nothing to install.
if(WIN32)
    return()
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ov_export_names ovcore=ovcore orvanecore=engine ovplatform=platform audiere=audiere
    ovplatform_main=main)
set(ov_installed)
foreach(pair IN LISTS ov_export_names)
    string(REPLACE "=" ";" pair ${pair})
    list(GET pair 0 lib)
    list(GET pair 1 export_name)
    if(TARGET ${lib})
        set_target_properties(${lib} PROPERTIES EXPORT_NAME ${export_name})
        list(APPEND ov_installed ${lib})
    endif()
endforeach()
# The shared layers find each other in their own folder (the engine and the audio layer
# load libovplatform), wherever the prefix is moved.
foreach(layer orvanecore ovplatform audiere)
    get_target_property(type ${layer} TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
        set_target_properties(${layer} PROPERTIES INSTALL_RPATH "$ORIGIN")
    endif()
endforeach()
install(TARGETS ${ov_installed} EXPORT OvCoreTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION include/ovcore)

# The tools a game's developer runs (docs/tools.md); the art generators stay in the build.
if(OV_BUILD_TOOLS)
    file(RELATIVE_PATH ov_bin_to_lib /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
    foreach(tool ovmarkup ovlayout ovfont ovtool)
        set_target_properties(${tool} PROPERTIES INSTALL_RPATH "$ORIGIN/${ov_bin_to_lib}")
        install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endforeach()
endif()

# Public headers, included as the framework includes them ("core/ov_loop.h", "orvane_core.h",
# "platform/win32.h", "audiere/audiere.h"); the layers' insides are not installed. The API
# reference (cmake/OvDocs.cmake) is made from the same headers.
set(OV_PUBLIC_HEADER_DIRS core formats graphics scene gui net sound desktop app)
set(OV_PUBLIC_HEADER_FILES platform/win32.h platform/gdiplus.h platform/native.h
    platform/testing.h audiere/audiere.h engine/include/orvane_core.h)
install(DIRECTORY ${OV_PUBLIC_HEADER_DIRS} DESTINATION include/ovcore FILES_MATCHING PATTERN "*.h")
foreach(header IN LISTS OV_PUBLIC_HEADER_FILES)
    get_filename_component(folder ${header} DIRECTORY)
    string(REGEX REPLACE "^engine/include$" "" folder ${folder}) # "orvane_core.h" at the top
    install(FILES ${header} DESTINATION include/ovcore/${folder})
endforeach()
# The default GUI theme and the shipped font, for games to copy beside themselves.
install(DIRECTORY themes fonts DESTINATION ${CMAKE_INSTALL_DATADIR}/ovcore)

set(ov_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/OvCore)
install(EXPORT OvCoreTargets NAMESPACE OvCore:: DESTINATION ${ov_cmake_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/OvCoreConfig.cmake.in
    ${CMAKE_BINARY_DIR}/OvCoreConfig.cmake INSTALL_DESTINATION ${ov_cmake_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/OvCoreConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/OvCoreConfig.cmake ${CMAKE_BINARY_DIR}/OvCoreConfigVersion.cmake
    DESTINATION ${ov_cmake_dir})

# pkg-config files that find their prefix from where they lie (${pcfiledir}), so an
# installed tree can be moved or installed with `cmake --install --prefix`.
set(ov_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH ov_pc_to_prefix /${ov_pc_dir} /)
foreach(pc ovcore ovcore-main)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${CMAKE_BINARY_DIR}/${pc}.pc @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/${pc}.pc DESTINATION ${ov_pc_dir})
endforeach()
