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
  set_property(GLOBAL APPEND PROPERTY QX574_WINDOW_LIBRARIES ${name})
  target_include_directories(${name} PUBLIC ${QX574_SOURCE_ROOT})
  qx574_precompiled_headers(${name} windows)
endfunction()

# What a logic library may link, directly or through the libraries it links: of Qt only Core,
# Network, Sql and DBus; never Qt Gui, Widgets or PrintSupport, the chart library, nor a window
# library of the project. Checked once every folder has said what its libraries link.
function(qx574_forbidden_link library out)
  get_property(windows GLOBAL PROPERTY QX574_WINDOW_LIBRARIES)
  set(seen "")
  set(pending ${library})
  set(found "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(current MATCHES "^Qt6::(.*)$")
      # A Qt module's own dependencies are Qt's; only the module named counts.
      if(NOT CMAKE_MATCH_1 MATCHES "^(Core|Network|Sql|DBus)$")
        set(found ${current})
        break()
      endif()
      continue()
    elseif(current MATCHES "QCustomPlot" OR current IN_LIST windows)
      set(found ${current})
      break()
    endif()
    if(TARGET ${current})
      get_target_property(linked ${current} INTERFACE_LINK_LIBRARIES)
      if(current STREQUAL library)
        get_target_property(direct ${current} LINK_LIBRARIES)
        list(APPEND linked ${direct})
      endif()
      foreach(next ${linked})
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" next "${next}")
        if(next AND NOT next MATCHES "NOTFOUND$" AND NOT next MATCHES "^\\$<")
          list(APPEND pending ${next})
        endif()
      endforeach()
    endif()
  endwhile()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(qx574_check_logic_links)
  get_property(logic_libraries GLOBAL PROPERTY QX574_LOGIC_LIBRARIES)
  foreach(library ${logic_libraries})
    qx574_forbidden_link(${library} forbidden)
    if(forbidden)
      message(FATAL_ERROR "${library} is a logic library (Qt Core, Network, Sql and DBus only) but links ${forbidden}")
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL qx574_check_logic_links)
