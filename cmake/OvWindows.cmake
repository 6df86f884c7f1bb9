# The layers on Windows. The platform is the real system: platform/win32.h and
# platform/gdiplus.h include the Windows headers and none of platform/src is compiled. The
# engine and the audio layer are DLLs whose interface is reached through import libraries
# made from their headers' exported functions, as a program reaches any DLL; building the
# DLLs themselves for Windows is separate work.

# The Windows libraries behind the Win32 and GDI+ names the framework calls.
function(ov_windows_platform)
    add_library(ovplatform INTERFACE)
    add_library(OvCore::platform ALIAS ovplatform)
    target_include_directories(ovplatform INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(ovplatform INTERFACE user32 gdi32 gdiplus shell32 comdlg32 advapi32
                          ole32 winmm)
    # The C runtime calls WinMain itself: the entry library brings nothing.
    add_library(ovplatform_main INTERFACE)
    add_library(OvCore::main ALIAS ovplatform_main)
    target_link_libraries(ovplatform_main INTERFACE ovplatform)
endfunction()

# An import library `target` (alias `alias`) for the DLL `dll`: every function of `header`
# declared with the export macro `api` (cdecl, C names), listed in a module definition file
# for dlltool.
function(ov_windows_import_library target alias dll header api include_dir)
    file(READ ${header} text)
    string(REGEX MATCHALL "${api} [^;(]*[ *]([A-Za-z_][A-Za-z0-9_]*)\\(" declarations "${text}")
    set(def "LIBRARY \"${dll}\"\nEXPORTS\n")
    foreach(declaration IN LISTS declarations)
        string(REGEX REPLACE ".*[ *]([A-Za-z_][A-Za-z0-9_]*)\\($" "\\1" name "${declaration}")
        string(APPEND def "    ${name}\n")
    endforeach()
    set(def_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    file(CONFIGURE OUTPUT ${def_file} CONTENT "${def}")
    set(import_library ${CMAKE_CURRENT_BINARY_DIR}/lib${target}.dll.a)
    add_custom_command(OUTPUT ${import_library}
        COMMAND ${CMAKE_DLLTOOL} -d ${def_file} -D ${dll} -l ${import_library}
        DEPENDS ${def_file} COMMENT "Import library of ${dll}" VERBATIM)
    add_custom_target(${target}_import DEPENDS ${import_library})
    add_library(${target} INTERFACE)
    add_dependencies(${target} ${target}_import)
    add_library(${alias} ALIAS ${target})
    target_include_directories(${target} INTERFACE ${include_dir})
    target_link_libraries(${target} INTERFACE ${import_library})
endfunction()
