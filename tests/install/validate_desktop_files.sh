#!/bin/sh
# Validates the desktop entry and the AppStream metainfo as installed; skipped (77) when the
# validators are not there (apt-get install desktop-file-utils appstream).
# Usage: validate_desktop_files.sh DESKTOP_FILE METAINFO_FILE
set -eu
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null || exit 77
desktop-file-validate "$1"
appstreamcli validate --no-net "$2"
