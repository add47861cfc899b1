# How the program's libraries are made. Every folder of src/ builds a logic library from its
# own files (Qt Core only) and, when it has windows, a window library from its ui/ subfolder.
# Includes are written from one root, with the folder: "logger/DecodeMemoryImage.h".

set(QX574_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)

# A logic library. After it is built, the headers its objects were compiled with (the
# compiler's own dependency lists, so with the library's own flags, through every nested
# include) are checked: a window header of the project, or anything of Qt Gui, Qt Widgets,
# Qt PrintSupport or the chart library, fails the build and removes the library.
function(qx574_logic_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${QX574_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC Qt6::Core)
  qx574_precompiled_headers(${name} logic)
  set_property(GLOBAL APPEND PROPERTY QX574_LOGIC_LIBRARIES ${name})
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DLIBRARY=${name} -DLIBRARY_FILE=$<TARGET_FILE:${name}>
            -DOBJECT_DIR=${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${name}.dir
            -DSOURCE_ROOT=${QX574_SOURCE_ROOT}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLogicIncludes.cmake
    VERBATIM)
endfunction()

# A window library: widgets, painting, printing.
function(qx574_window_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${QX574_SOURCE_ROOT})
  qx574_precompiled_headers(${name} windows)
endfunction()
