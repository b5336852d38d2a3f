# The Debian package of the terminal build: `cpack -G DEB` in a build tree configured with
# VEXAMOR_INSTALL_DEBIAN_DOCS=ON (scripts/package.sh does both). Dependencies come from
# dpkg-shlibdeps, so they follow whatever libraries the binaries really link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexamor)
set(CPACK_PACKAGE_VENDOR "VEXAMOR developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade shooter for an 80 x 25 text console")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/doc/debian/description)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VEXAMOR developers <vexamor@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Binaries go in stripped, as Debian ships them.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
