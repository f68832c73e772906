#!/usr/bin/env bash
# Installs what Pennory needs, builds it and runs the whole test suite: the codec tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then every test against the release build
# (the real window under QT_QPA_PLATFORM=offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPENNORY_SANITIZE=ON \
  -DPENNORY_WITH_QT=OFF -DPENNORY_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)" --target pennory_text_tests
build-sanitize/tests/pennory_text_tests --gtest_brief=1

scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 300
