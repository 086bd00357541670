# ravlin_subsystem(name CORE_SOURCES... UI_SOURCES... LINKS... UI_LINKS...): the core library
# ravlin_<name> from CORE_SOURCES and, when widgets are built, ravlin_<name>_ui from UI_SOURCES.
# Paths are relative to the subsystem's folder. A part with no sources gives an interface library so
# that dependents still link.
function(ravlin_subsystem name)
    cmake_parse_arguments(ARG "" "" "CORE_SOURCES;UI_SOURCES;LINKS;UI_LINKS" ${ARGN})
    if(ARG_CORE_SOURCES MATCHES "\\.cpp")
        add_library(ravlin_${name} STATIC ${ARG_CORE_SOURCES})
        target_include_directories(ravlin_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(ravlin_${name} PUBLIC Qt6::Core ${ARG_LINKS})
        ravlin_precompile_qt(ravlin_${name})
    else()
        add_library(ravlin_${name} INTERFACE)
        target_include_directories(ravlin_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(ravlin_${name} INTERFACE Qt6::Core ${ARG_LINKS})
    endif()
    if(RAVLIN_WIDGETS)
        if(ARG_UI_SOURCES MATCHES "\\.cpp")
            add_library(ravlin_${name}_ui STATIC ${ARG_UI_SOURCES})
            target_include_directories(ravlin_${name}_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
            target_link_libraries(ravlin_${name}_ui PUBLIC ravlin_${name} Qt6::Widgets ${ARG_UI_LINKS})
            ravlin_precompile_qt(ravlin_${name}_ui WIDGETS)
        else()
            add_library(ravlin_${name}_ui INTERFACE)
            target_link_libraries(ravlin_${name}_ui INTERFACE ravlin_${name} Qt6::Widgets ${ARG_UI_LINKS})
        endif()
    endif()
endfunction()

# ravlin_precompile_qt(target [WIDGETS] [TEST]): precompiles the Qt headers most sources include.
# Only with RAVLIN_PCH, never in the fuzz build, and in a library only when it has a few sources to
# share the work (a test runner always has one: it carries tests/test_runner.h).
function(ravlin_precompile_qt target)
    cmake_parse_arguments(ARG "WIDGETS;TEST" "" "" ${ARGN})
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    list(LENGTH sources count)
    if(NOT RAVLIN_PCH OR RAVLIN_FUZZ OR (count LESS 4 AND NOT ARG_TEST))
        return()
    endif()
    set(headers <QByteArray> <QDir> <QFile> <QFileInfo> <QObject> <QString> <QStringList> <QVector>
                <algorithm> <array> <functional> <memory> <optional> <vector>)
    if(ARG_WIDGETS)
        list(APPEND headers <QCheckBox> <QGroupBox> <QHBoxLayout> <QLabel> <QLineEdit> <QPushButton>
             <QRadioButton> <QVBoxLayout> <QWidget>)
    endif()
    if(ARG_TEST)
        list(APPEND headers ${PROJECT_SOURCE_DIR}/tests/test_runner.h)
    endif()
    target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# ravlin_tests_in_folder(folder [WIDGETS] TESTS test_*.cpp... SOURCES... LINKS...): one QtTest
# runner executable tests_<folder> holding every test file of the folder (each file's QTEST_MAIN
# registers its test under the file's name, tests/test_runner.h), and one ctest entry
# test_<folder>_<stem> per file, running `tests_<folder> <stem>`. Core tests carry the label "core"
# (the sanitizer build runs only those); widget tests "ui".
function(ravlin_tests_in_folder sub)
    cmake_parse_arguments(ARG "WIDGETS" "" "TESTS;SOURCES;LINKS" ${ARGN})
    set(runner tests_${sub})
    add_executable(${runner} ${PROJECT_SOURCE_DIR}/tests/test_runner_main.cpp ${ARG_TESTS} ${ARG_SOURCES})
    target_include_directories(${runner} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${runner} PRIVATE Qt6::Test ravlin_fakes ${ARG_LINKS})
    target_compile_definitions(${runner} PRIVATE RAVLIN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
                                                 RAVLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    target_compile_options(${runner} PRIVATE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
    if(ARG_WIDGETS)
        ravlin_precompile_qt(${runner} WIDGETS TEST)
        set(label ui)
    else()
        # The core runners are compiled with the same flags and definitions: the first one's
        # precompiled header serves them all (GCC says so with -Winvalid-pch when it cannot). Qt's
        # test library defines the runner's own folders as QT_TESTCASE_*DIR, which no test uses
        # (test data is found through RAVLIN_TEST_DATA) and which would make every header differ.
        get_property(pch_owner GLOBAL PROPERTY RAVLIN_CORE_TEST_PCH)
        if(pch_owner AND RAVLIN_PCH AND NOT RAVLIN_FUZZ)
            target_precompile_headers(${runner} REUSE_FROM ${pch_owner})
        else()
            ravlin_precompile_qt(${runner} TEST)
            set_property(GLOBAL PROPERTY RAVLIN_CORE_TEST_PCH ${runner})
        endif()
        set(label core)
    endif()
    # Without precompiled headers the runner's header is included by hand.
    if(NOT RAVLIN_PCH OR RAVLIN_FUZZ OR CMAKE_DISABLE_PRECOMPILE_HEADERS)
        target_compile_options(${runner} PRIVATE "SHELL:-include ${PROJECT_SOURCE_DIR}/tests/test_runner.h")
    endif()
    # Each test file declares its QObject test class itself and includes its own <stem>.moc. moc is
    # run on it without the target's include paths: the class needs nothing from its includes, and
    # following them through QtTest cost about two seconds per file (the output is the same).
    set_target_properties(${runner} PROPERTIES AUTOMOC OFF)
    target_include_directories(${runner} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/moc)
    foreach(t ${ARG_TESTS})
        get_filename_component(stem ${t} NAME_WE)
        qt_generate_moc(${CMAKE_CURRENT_SOURCE_DIR}/${t} ${CMAKE_CURRENT_BINARY_DIR}/moc/${stem}.moc)
        target_sources(${runner} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/moc/${stem}.moc)
        string(REGEX REPLACE "^test_" "" stem ${stem})
        add_test(NAME test_${sub}_${stem} COMMAND ${runner} ${stem})
        set_tests_properties(test_${sub}_${stem} PROPERTIES LABELS ${label}
                                                             ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endforeach()
endfunction()
