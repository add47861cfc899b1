# Fails when an object of a logic library was compiled with a window header: run after the
# library is built, over the dependency files the compiler wrote beside its objects.
# -DLIBRARY=name -DLIBRARY_FILE=path -DOBJECT_DIR=dir -DSOURCE_ROOT=src

file(GLOB_RECURSE depfiles "${OBJECT_DIR}/*.o.d")
if(NOT depfiles)
  message(FATAL_ERROR "${LIBRARY}: no dependency files in ${OBJECT_DIR}; the include check cannot run")
endif()

set(forbidden
  "${SOURCE_ROOT}/[a-z]+/ui/"
  "${SOURCE_ROOT}/app/"
  "/QtGui/"
  "/QtWidgets/"
  "/QtPrintSupport/"
  "/qcustomplot\\.h")

set(found "")
foreach(depfile ${depfiles})
  file(READ "${depfile}" text)
  # One path per entry: the make rule's continuation lines and spaces separate them.
  string(REPLACE "\\\n" " " text "${text}")
  string(REGEX REPLACE "[ \t\n]+" ";" entries "${text}")
  string(REGEX REPLACE "\\.d$" "" object "${depfile}")
  get_filename_component(object "${object}" NAME)
  # The first window header reached is the one to name; the rest come with it.
  foreach(entry ${entries})
    set(hit "")
    foreach(pattern ${forbidden})
      if(entry MATCHES "${pattern}")
        set(hit "${entry}")
        break()
      endif()
    endforeach()
    if(hit)
      list(APPEND found "  ${object} includes ${hit}")
      break()
    endif()
  endforeach()
endforeach()

if(found)
  list(JOIN found "\n" lines)
  file(REMOVE "${LIBRARY_FILE}")
  message("${LIBRARY} is a logic library (Qt Core only) but includes window code:\n${lines}")
  message(FATAL_ERROR "${LIBRARY}: window code in a logic library")
endif()
