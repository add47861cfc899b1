# The Debian package, made by `cpack -G DEB` in a release build folder (scripts/package.sh).
# It holds what `cmake --install` puts under /usr.
set(QX574_MAINTAINER "QX574 developers <qx574@example.org>"
    CACHE STRING "Maintainer of the Debian package: name <e-mail>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qx574)
set(CPACK_PACKAGE_VENDOR QX574)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion program for a USB sound level meter")
set(CPACK_PACKAGE_DESCRIPTION
    "QX574 mirrors a handheld sound level meter with a USB data logger on a
virtual control panel, records the level live into graphs, downloads and
lists the recordings of the meter's logger, analyses graphs (statistics,
cursors, annotations, zoom, LEQ), runs live LEQ measurements, saves graphs
and downloads, exports and imports text and CSV, and prints. A simulated
meter lets everything be tried without hardware. The package's udev rule
lets the logged-in user open the meter.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QX574_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries the program links, as dpkg-shlibdeps finds them in the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help > Contents hands the help page to the desktop's browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst
    ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
