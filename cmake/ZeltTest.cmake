# zelt_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable, registered with CTest and run on the offscreen platform.
function(zelt_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zelt_settings Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZELT_TEST_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
        TIMEOUT 600)
endfunction()
