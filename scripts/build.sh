#!/usr/bin/env bash
# Configures and builds Pennory into build/ (Release with debug information).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/compiler-cache.sh
source scripts/compiler-cache.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
