# add_param_test(<name> SOURCES <files...> [GUI])
# One Qt Test executable per module or window, run headless under CTest.
function(add_param_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE paramgui paramtestsupport Qt6::Test Qt6::Widgets)
    else()
        target_link_libraries(${name} PRIVATE paramcore paramtestsupport Qt6::Test)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;PARAM_SOURCE_DIR=${PROJECT_SOURCE_DIR};PARAM_APP_DIR=${PARAM_APP_DIR}"
        TIMEOUT 300)
endfunction()
