# Helpers shared by every folder's CMakeLists.

# Warnings on for our own code: besides -Wall -Wextra, those that point at faults rather than
# style: a local hiding another name (-Wshadow), deleting through a base without a virtual
# destructor (-Wnon-virtual-dtor), a member function hiding a virtual one
# (-Woverloaded-virtual), a cast dropping const (-Wcast-qual), format strings that are not
# literals or do not fit their arguments (-Wformat=2), a path the optimiser proves
# dereferences null (-Wnull-dereference) and a case falling through unmarked
# (-Wimplicit-fallthrough). None is dropped: the headers of SDL, epoxy, GoogleTest and the
# C++ library are included as system headers and stay quiet (-Wnull-dereference may still
# point into libstdc++ where one of its inline functions was inlined into our code: those are
# false alarms that differ between optimisation levels, so it stays a warning even when the
# rest are errors); stb, which is not included as a system header, is quieted around
# its include in platform/image/image_codec.cpp. The two C++-only flags are left off C files.
option(OV_WARNINGS_AS_ERRORS "Treat compiler warnings in our own code as errors" OFF)
function(ov_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wcast-qual -Wformat=2
        -Wnull-dereference -Wimplicit-fallthrough
        $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor -Woverloaded-virtual>)
    if(OV_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror -Wno-error=null-dereference)
    endif()
endfunction()

# Collects the .cpp/.c files of the given folders (relative to the project root),
# recursing into subfolders, and re-globs when files are added.
function(ov_glob_sources out_var)
    set(patterns)
    foreach(dir IN LISTS ARGN)
        list(APPEND patterns ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.c)
    endforeach()
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${patterns})
    set(${out_var} ${found} PARENT_SCOPE)
endfunction()

# One executable per program source: examples/foo.cpp -> foo.
function(ov_add_programs dir)
    file(GLOB programs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    foreach(source IN LISTS programs)
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_link_libraries(${name} PRIVATE OvCore::ovcore ${ARGN})
        ov_target_defaults(${name})
    endforeach()
endfunction()

# The version script of every shared layer (see ov_add_layer).
set(OV_LAYER_VERSION_SCRIPT ${CMAKE_BINARY_DIR}/ov_layer_exports.map)
# A pattern matches a demangled name, which for a function template begins with its return
# type ("void std::__detail::..."), so each pattern takes any name that mentions the namespace.
# No interface function takes a std:: type; were one made local by this, check-symbols.sh
# would report it missing.
file(CONFIGURE OUTPUT ${OV_LAYER_VERSION_SCRIPT}
    CONTENT "{ local: extern \"C++\" { *std::*; *__gnu_cxx::*; }; };\n")

# A layer library built from the sources of `dir`: SHARED when it has sources
# (one copy of its process-wide state however many libraries link it),
# header-only until then.
function(ov_add_layer target alias dir)
    ov_glob_sources(sources ${dir})
    if(sources)
        add_library(${target} SHARED ${sources})
        # Sealed: only what the layer's headers mark for export (OV_API, OV_PLATFORM_API)
        # leaves the library; scripts/check-symbols.sh (CTest check_symbols) holds it to that.
        # Hidden visibility cannot reach the C++ library's own template instantiations and
        # function-local statics (namespace std carries default visibility, so a
        # std::vector<unsigned char> member or std::piecewise_construct made here would be
        # exported as weak or unique symbols): the version script makes those local.
        set_target_properties(${target} PROPERTIES
            CXX_VISIBILITY_PRESET hidden
            C_VISIBILITY_PRESET hidden
            VISIBILITY_INLINES_HIDDEN ON
            LINK_DEPENDS ${OV_LAYER_VERSION_SCRIPT})
        target_link_options(${target} PRIVATE "LINKER:--version-script=${OV_LAYER_VERSION_SCRIPT}")
        set(scope PUBLIC)
        ov_target_defaults(${target})
    else()
        add_library(${target} INTERFACE)
        set(scope INTERFACE)
    endif()
    add_library(${alias} ALIAS ${target})
    set(OV_LAYER_SCOPE ${scope} PARENT_SCOPE)
endfunction()

# Sources that compile stb's decoders. stb_image hands memcpy a null buffer with a zero
# length for empty PNG chunks: a copy of nothing, harmless, but UBSan's non-null check would
# stop every sanitized test and fuzzer on it. Its JPEG bit reader shifts a byte by 32 when a
# corrupt stream drives its bit count below zero (stbi__grow_buffer_unsafe): only garbage
# bits in a decode that is already reading garbage, within its buffers, but UBSan's shift
# check stops the fuzzer on it. Bounds and overflow checks stay on.
function(ov_stb_sources)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS
                                "-fno-sanitize=nonnull-attribute;-fno-sanitize=shift-exponent")
endfunction()
