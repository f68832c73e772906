#!/usr/bin/env bash
# Installs what Pennory needs, builds it and runs the whole test suite twice: every suite
# (codecs, headless behaviour, the real window) under AddressSanitizer and
# UndefinedBehaviorSanitizer in a Debug build, then every test against the release build (the
# real window under QT_QPA_PLATFORM=offscreen). Run as root, the tests of unreadable files and
# read-only folders run as the user nobody, in both builds (scripts/run-gtest.sh); the run fails
# when one of them is skipped for want of an unprivileged user.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# shellcheck source=scripts/compiler-cache.sh
source scripts/compiler-cache.sh

# Any report fails the run: a finding ends the test binary with an error. Leaks are reported
# too; views that outlive what they look at are caught on return as well as at scope's end.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPENNORY_SANITIZE=ON \
  -DPENNORY_WITH_QT=ON -DPENNORY_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)" \
  --target pennory_text_tests pennory_core_tests pennory_qt_tests
suites=(pennory_text_tests pennory_core_tests pennory_qt_tests)
for suite in "${suites[@]}"; do
  QT_QPA_PLATFORM=offscreen scripts/run-gtest.sh "build-sanitize/tests/$suite" --gtest_brief=1
done
unset ASAN_OPTIONS UBSAN_OPTIONS

scripts/build.sh
# The tests that wanted an unprivileged user above run as nobody here too, not as root by ctest.
privileged=$(for suite in "${suites[@]}"; do cat "build-sanitize/tests/$suite.privileged"; done |
  sed 's/[].[*^$\\]/\\&/g' | paste -sd'|')
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 300 \
  ${privileged:+--exclude-regex "^($privileged)\$"}
for suite in "${suites[@]}"; do
  QT_QPA_PLATFORM=offscreen scripts/run-gtest.sh --as-nobody \
    "build-sanitize/tests/$suite.privileged" "build/tests/$suite" --gtest_brief=1
done
