# The API reference: Doxygen over the public headers (the same as are installed), target
# apidoc writes it to <build>/apidoc/html. CTest's check_apidoc builds it and fails on any
# documentation warning, an undocumented public declaration included (scripts/check-apidoc.sh).
find_package(Doxygen QUIET)
find_package(Python3 QUIET COMPONENTS Interpreter)
if(NOT DOXYGEN_FOUND OR NOT Python3_FOUND OR NOT OV_PUBLIC_HEADER_DIRS)
    message(STATUS "No doxygen, python3 or installed headers: no API reference (target apidoc)")
    return()
endif()

set(OV_APIDOC_DIR ${CMAKE_BINARY_DIR}/apidoc)
set(OV_APIDOC_INPUT)
foreach(path IN LISTS OV_PUBLIC_HEADER_DIRS OV_PUBLIC_HEADER_FILES)
    string(APPEND OV_APIDOC_INPUT " \"${PROJECT_SOURCE_DIR}/${path}\"")
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/docs/api/Doxyfile.in ${OV_APIDOC_DIR}/Doxyfile @ONLY)
add_custom_target(apidoc COMMAND ${DOXYGEN_EXECUTABLE} ${OV_APIDOC_DIR}/Doxyfile
    WORKING_DIRECTORY ${OV_APIDOC_DIR} COMMENT "API reference in ${OV_APIDOC_DIR}/html" VERBATIM)

if(OV_BUILD_TESTS AND NOT OV_SANITIZE AND NOT OV_BUILD_FUZZERS)
    add_test(NAME check_apidoc
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-apidoc.sh ${DOXYGEN_EXECUTABLE}
                     ${OV_APIDOC_DIR}/Doxyfile ${PROJECT_SOURCE_DIR})
    add_test(NAME check_apidoc_filter_self_test
             COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/doxygen-filter.py
                     --self-test)
endif()
