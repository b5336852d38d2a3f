#!/usr/bin/env bash
# Builds the Debian package build-package/vexamor_<version>_<arch>.deb: the terminal build
# with Debian's own compiler and hardening flags, packed by CPack's DEB generator, with its
# dependencies found by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh dpkg-dev fakeroot file
jobs=$(nproc)
build=build-package

# The flags a Debian package build uses, with every hardening feature on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

# A fresh tree each time, so the flags above are the ones the package is built with.
rm -rf "$build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DVEXAMOR_TESTS=OFF -DVEXAMOR_BENCH=OFF \
  -DVEXAMOR_WERROR=ON -DVEXAMOR_INSTALL_DEBIAN_DOCS=ON >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null
# fakeroot: whatever CPack or dpkg-shlibdeps asks of the file system sees root ownership.
(cd "$build" && fakeroot cpack -G DEB >/dev/null)
ls "$build"/vexamor_*.deb
