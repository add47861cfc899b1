# Compiled objects are kept in ccache's cache, which lives outside the checkout (its own
# default folder), so a fresh clone on the same machine reuses what an earlier build compiled.
# Paths below the checkout are hashed relative to it, so the clone's folder does not matter.
option(QX574_CCACHE "Reuse compiled objects through ccache when it is installed" ON)
find_program(QX574_CCACHE_PROGRAM ccache)
if(QX574_CCACHE AND QX574_CCACHE_PROGRAM)
  # Precompiled headers need the sloppiness below; the checkout's own file times (new in every
  # clone) must not count either.
  set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env
      CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}
      CCACHE_NOHASHDIR=true
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      ${QX574_CCACHE_PROGRAM})
  message(STATUS "Compiling through ${QX574_CCACHE_PROGRAM}")
endif()
