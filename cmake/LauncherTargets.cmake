# One static library per subsystem folder, and one test executable per tests/<folder>/*_test.cpp.

set(LAUNCHER_WARNINGS -Wall -Wextra)

# launcher_library(<target> <folder> [EXCLUDE <file>...]): every other .cpp of the folder.
function(launcher_library target folder)
    cmake_parse_arguments(arg "" "" "EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    foreach(excluded ${arg_EXCLUDE})
        list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/${folder}/${excluded})
    endforeach()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${target} PRIVATE ${LAUNCHER_WARNINGS})
endfunction()

# launcher_tests(<folder> <libraries...>): each *_test.cpp under tests/<folder> is one executable,
# linked with the folder's other .cpp files (fixtures, helpers), and registered with ctest.
function(launcher_tests folder)
    set(dir ${PROJECT_SOURCE_DIR}/tests/${folder})
    file(GLOB tests CONFIGURE_DEPENDS ${dir}/*_test.cpp)
    file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
    set(support ${all})
    if(tests)
        list(REMOVE_ITEM support ${tests})
    endif()
    string(REPLACE "/" "_" prefix ${folder})
    foreach(test ${tests})
        get_filename_component(stem ${test} NAME_WE)
        set(target ${prefix}_${stem})
        add_executable(${target} ${test} ${support})
        target_compile_options(${target} PRIVATE ${LAUNCHER_WARNINGS})
        target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} PRIVATE ${ARGN} GTest::gtest_main GTest::gmock)
        add_test(NAME ${folder}/${stem} COMMAND ${target})
        set_tests_properties(${folder}/${stem} PROPERTIES TIMEOUT 300)
    endforeach()
endfunction()
