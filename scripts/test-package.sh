#!/usr/bin/env bash
# Builds the Debian package and checks it: file list, lintian, desktop entry, metadata, man
# pages, then an install and a run on a clean Debian bookworm.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh lintian debootstrap desktop-file-utils appstream man-db dpkg-dev fakeroot file gzip bsdutils
./scripts/package.sh
tests/package/check.sh build-package/vexamor_*.deb
