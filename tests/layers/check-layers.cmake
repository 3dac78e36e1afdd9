# Fails when a file of the engine, of act/ (but the Integrate dialog) or of the settings
# layer (daywise_base and shell/*Settings*) includes a Widgets header, or a header of the
# windows above it (dialogs/, the Integrate dialog, the shell's windows of daywise_shell).
# cmake -DSOURCE_DIR=... -DWIDGETS_HEADERS=<Qt's QtWidgets include folder> -P check-layers.cmake

cmake_minimum_required(VERSION 3.25)

file(GLOB widget_paths RELATIVE ${WIDGETS_HEADERS} ${WIDGETS_HEADERS}/Q*)
list(FILTER widget_paths EXCLUDE REGEX "\\.h$")

file(READ ${SOURCE_DIR}/shell/CMakeLists.txt shell_lists)
foreach(library IN ITEMS base shell)
    string(REGEX MATCH "add_library\\(daywise_${library} STATIC([^)]*)\\)" _ "${shell_lists}")
    string(REGEX MATCHALL "[A-Za-z0-9_]+\\.(h|cpp)" ${library}_files "${CMAKE_MATCH_1}")
    list(TRANSFORM ${library}_files PREPEND "shell/")
endforeach()
set(window_headers ${shell_files})
list(FILTER window_headers INCLUDE REGEX "\\.h$")

file(GLOB_RECURSE checked RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp
    ${SOURCE_DIR}/act/*.h ${SOURCE_DIR}/act/*.cpp
    ${SOURCE_DIR}/shell/*Settings*.h ${SOURCE_DIR}/shell/*Settings*.cpp)
list(APPEND checked ${base_files})
list(REMOVE_DUPLICATES checked)
list(FILTER checked EXCLUDE REGEX "^act/frmIntegrate\\.")
list(SORT checked)

set(faults 0)
foreach(file IN LISTS checked)
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" name "${line}")
        string(REGEX REPLACE "^QtWidgets/" "" bare "${name}")
        if(name STREQUAL "QtWidgets" OR bare IN_LIST widget_paths
           OR name MATCHES "^(dialogs/|act/frmIntegrate\\.h$)" OR name IN_LIST window_headers)
            message(STATUS "${file} includes ${name}")
            math(EXPR faults "${faults} + 1")
            break()
        endif()
    endforeach()
endforeach()

if(faults GREATER 0)
    message(FATAL_ERROR "${faults} files below the windows include a Widgets or window header")
endif()
