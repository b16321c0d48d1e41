# zelt_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable, registered with CTest and run on the offscreen platform.
function(zelt_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zelt_settings Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    # A home folder of its own for each test: tests run two at a time, and what one
    # leaves in the user's folders (a new quote's recovery copy, the documents, the
    # log) must never be found by another.
    set(casa ${CMAKE_CURRENT_BINARY_DIR}/casa/${name})
    file(MAKE_DIRECTORY ${casa})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZELT_TEST_SOURCE_DIR=${CMAKE_SOURCE_DIR};HOME=${casa}"
        TIMEOUT 600)
endfunction()
