# ravlin_core_library(name SOURCES... LINKS...): a static library of core code (Qt Core only).
function(ravlin_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_LINKS})
endfunction()

# ravlin_test(name SOURCES... LINKS... [WIDGETS]): one QtTest executable registered with ctest.
# Core tests carry the label "core" (the sanitizer build runs only those); widget tests "ui".
function(ravlin_test name)
    cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE Qt6::Test ravlin_fakes ${ARG_LINKS})
    target_compile_definitions(${name} PRIVATE RAVLIN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
                                               RAVLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_WIDGETS)
        set_tests_properties(${name} PROPERTIES LABELS ui ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    else()
        set_tests_properties(${name} PROPERTIES LABELS core ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
endfunction()

# ravlin_subsystem(name LINKS... UI_LINKS...): the core library ravlin_<name> from core/*.cpp (and
# core/drivers/*.cpp), and, when widgets are built, ravlin_<name>_ui from ui/*.cpp.
# A folder with no sources yet gives an interface library so that dependents still link.
function(ravlin_subsystem name)
    cmake_parse_arguments(ARG "" "" "LINKS;UI_LINKS" ${ARGN})
    file(GLOB_RECURSE core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/core/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/core/*.h)
    if(core_sources MATCHES "\\.cpp")
        add_library(ravlin_${name} STATIC ${core_sources})
        target_include_directories(ravlin_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(ravlin_${name} PUBLIC Qt6::Core ${ARG_LINKS})
    else()
        add_library(ravlin_${name} INTERFACE)
        target_include_directories(ravlin_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(ravlin_${name} INTERFACE Qt6::Core ${ARG_LINKS})
    endif()
    if(RAVLIN_WIDGETS)
        file(GLOB_RECURSE ui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp
             ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
        list(FILTER ui_sources EXCLUDE REGEX "/main\\.cpp$")
        if(ui_sources MATCHES "\\.cpp")
            add_library(ravlin_${name}_ui STATIC ${ui_sources})
            target_include_directories(ravlin_${name}_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
            target_link_libraries(ravlin_${name}_ui PUBLIC ravlin_${name} Qt6::Widgets ${ARG_UI_LINKS})
        else()
            add_library(ravlin_${name}_ui INTERFACE)
            target_link_libraries(ravlin_${name}_ui INTERFACE ravlin_${name} Qt6::Widgets ${ARG_UI_LINKS})
        endif()
    endif()
endfunction()

# ravlin_tests_in_folder(subsystem LINKS...): every test_*.cpp in this folder becomes one test
# executable test_<subsystem>_<stem>.
function(ravlin_tests_in_folder sub)
    cmake_parse_arguments(ARG "WIDGETS" "" "LINKS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
    foreach(t ${tests})
        get_filename_component(stem ${t} NAME_WE)
        string(REGEX REPLACE "^test_" "" stem ${stem})
        if(ARG_WIDGETS)
            ravlin_test(test_${sub}_${stem} WIDGETS SOURCES ${t} LINKS ${ARG_LINKS})
        else()
            ravlin_test(test_${sub}_${stem} SOURCES ${t} LINKS ${ARG_LINKS})
        endif()
    endforeach()
endfunction()
