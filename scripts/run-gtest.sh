#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a GoogleTest binary. A test of an unreadable file or a read-only folder sees no refusal
# while the process may read and write anything, so it skips then with a message holding
# "needs an unprivileged user" (tests/support/privileges.h). Run as root, this script runs
# the tests that skipped so once more as the user nobody: from a copy of the binary in a folder
# nobody may enter but not change, with a home and a temporary folder of nobody's own. The run
# fails when a test fails, and when such a test is still skipped: at once for any other user
# (nothing can lower its privileges), and as root when the run as nobody skips or misses it.
#
# Usage: scripts/run-gtest.sh BINARY [GTEST_OPTION...]
#          writes the names of the tests that skipped so to BINARY.privileged, one a line, so
#          that another build of the same tests can run exactly those as nobody:
#        scripts/run-gtest.sh --as-nobody NAMES_FILE BINARY [GTEST_OPTION...]
#          runs only the tests NAMES_FILE names, as nobody.
set -euo pipefail

readonly marker="needs an unprivileged user"
readonly user=nobody group=nogroup
scratch=()
trap 'rm -rf "${scratch[@]}"' EXIT

# The value of attribute $1 in the line being read, from a GoogleTest XML report.
# shellcheck disable=SC2016  # awk, not the shell, reads these $0 and fields
readonly awk_attribute='
  function attribute(key) {
    if (!match($0, " " key "=\"[^\"]*\"")) return ""
    return substr($0, RSTART + length(key) + 3, RLENGTH - length(key) - 4)
  }
  /<testcase / { test = attribute("classname") "." attribute("name"); result = attribute("result") }'

# The full names of the tests that report $1 shows skipped for want of an unprivileged user.
privilege_skips() {
  awk -v marker="$marker" "$awk_attribute"'
    /<skipped / && index($0, marker) { print test }' "$1"
}

# The full names of the tests that report $1 shows run to their end, passed or failed.
completed_tests() {
  awk "$awk_attribute"'
    /<testcase / && result == "completed" { print test }' "$1"
}

# Runs the tests file $1 names from binary $2 as nobody; the remaining arguments go to the
# binary. Fails when one of them fails, is skipped or does not run.
run_as_nobody() {
  local names=$1 binary=$2
  shift 2
  [ -s "$names" ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Skipped for want of an unprivileged user, and not root to run them as $user:" >&2
    sed 's/^/  /' "$names" >&2
    return 1
  fi
  if ! id "$user" >/dev/null 2>&1 || ! getent group "$group" >/dev/null; then
    echo "No user $user or group $group to run these as:" >&2
    sed 's/^/  /' "$names" >&2
    return 1
  fi

  # Under /tmp rather than TMPDIR: nobody must be able to reach it.
  local place
  place=$(mktemp -d /tmp/pennory-unprivileged-XXXXXX)
  scratch+=("$place")
  chmod 755 "$place"
  install -m 755 "$binary" "$place/"
  install -d -o "$user" -g "$group" -m 700 "$place/home" "$place/home/tmp"
  local report="$place/home/report.xml" status=0 filter
  filter=$(paste -sd: "$names")
  echo "As $user: $(paste -sd' ' "$names")"
  (cd "$place" && env -u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME -u XDG_DATA_HOME \
    -u XDG_STATE_HOME -u XDG_CACHE_HOME HOME="$place/home" TMPDIR="$place/home/tmp" \
    setpriv --reuid="$user" --regid="$group" --clear-groups \
    "./$(basename "$binary")" "$@" --gtest_brief=0 --gtest_filter="$filter" \
    --gtest_output="xml:$report") || status=$?
  [ "$status" -eq 0 ] || return "$status"
  if [ ! -f "$report" ]; then
    echo "The run as $user wrote no report." >&2
    return 1
  fi

  local still_skipped missing
  still_skipped=$(privilege_skips "$report")
  missing=$(comm -23 <(sort -u "$names") <(completed_tests "$report" | sort -u))
  if [ -n "$still_skipped" ] || [ -n "$missing" ]; then
    echo "Not run as $user:" >&2
    printf '%s\n' "$still_skipped" "$missing" | sed '/^$/d; s/^/  /' | sort -u >&2
    return 1
  fi
}

if [ "${1:-}" = "--as-nobody" ]; then
  shift
  names=$1 binary=$2
  shift 2
  run_as_nobody "$names" "$binary" "$@"
  exit
fi

binary=$1
shift
report=$(mktemp)
scratch+=("$report")
"$binary" "$@" --gtest_output="xml:$report"
privilege_skips "$report" >"$binary.privileged"
run_as_nobody "$binary.privileged" "$binary" "$@"
