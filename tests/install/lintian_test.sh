#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package and lets lintian check it: any error or warning fails. Skipped (77)
# when lintian is not there (apt-get install lintian).
# Usage: lintian_test.sh BUILD_DIR
set -eu
command -v lintian >/dev/null || exit 77
packages=$(mktemp -d)
trap 'rm -rf "$packages"' EXIT
cpack --config "$1/CPackConfig.cmake" -G DEB -B "$packages" >/dev/null
lintian --fail-on error,warning --tag-display-limit 0 "$packages"/*.deb
