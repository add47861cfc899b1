# Precompiled headers: the Qt, standard and test headers that most files include, parsed once
# per build instead of once per file. Each of the three sets is compiled once, by a small donor
# library, and reused by every target of its kind: logic libraries take the Qt Core set (so the
# include check of a logic library still sees Qt Core only), window libraries the Widgets set,
# test programs the test set.
option(QX574_PCH "Precompile the headers that most files include" ON)
if(QX574_FUZZ)
  set(QX574_PCH OFF)
endif()

set(QX574_PCH_LOGIC_HEADERS
  <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QFile> <QFileInfo> <QList> <QLocale>
  <QString> <QStringList>
  <algorithm> <array> <cmath> <cstdint> <cstring> <functional> <memory> <optional> <span>
  <utility> <vector>)
set(QX574_PCH_WINDOW_HEADERS ${QX574_PCH_LOGIC_HEADERS}
  <QApplication> <QComboBox> <QDialog> <QHBoxLayout> <QLabel> <QLineEdit> <QMdiArea>
  <QMdiSubWindow> <QPainter> <QPushButton> <QTimer> <QToolButton> <QVBoxLayout> <QWidget>)
set(QX574_PCH_TEST_HEADERS ${QX574_PCH_WINDOW_HEADERS}
  <QTemporaryDir> <gtest/gtest.h>)

if(QX574_PCH)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND QX574_CCACHE_PROGRAM)
    # ccache hashes a precompiled header only when the compiler names it in its output.
    add_compile_options(-fpch-preprocess)
  endif()
  set(donor_source ${CMAKE_BINARY_DIR}/PrecompiledHeaderDonor.cpp)
  file(WRITE ${donor_source} "// Compiled only for the precompiled header it carries.\n")
  add_library(qx574_pch_logic STATIC ${donor_source})
  target_link_libraries(qx574_pch_logic PRIVATE Qt6::Core)
  target_precompile_headers(qx574_pch_logic PRIVATE ${QX574_PCH_LOGIC_HEADERS})
  add_library(qx574_pch_windows STATIC ${donor_source})
  target_link_libraries(qx574_pch_windows PRIVATE Qt6::Widgets Qt6::PrintSupport)
  target_precompile_headers(qx574_pch_windows PRIVATE ${QX574_PCH_WINDOW_HEADERS})
endif()

# Gives target the precompiled headers of its kind: logic, windows or tests.
function(qx574_precompiled_headers target kind)
  if(NOT QX574_PCH)
    return()
  endif()
  if(kind STREQUAL "tests")
    # Made on first use, since the tests' packages are found by the tests' own folder.
    if(NOT TARGET qx574_pch_tests)
      add_library(qx574_pch_tests STATIC ${CMAKE_BINARY_DIR}/PrecompiledHeaderDonor.cpp)
      # Not Qt Test: it defines each test folder's own build folder, which no shared header
      # may differ in.
      target_link_libraries(qx574_pch_tests PRIVATE Qt6::Widgets Qt6::PrintSupport GTest::gtest GTest::gmock)
      target_precompile_headers(qx574_pch_tests PRIVATE ${QX574_PCH_TEST_HEADERS})
    endif()
  endif()
  target_precompile_headers(${target} REUSE_FROM qx574_pch_${kind})
endfunction()
