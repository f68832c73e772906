#!/usr/bin/env bash
# Installs what Pennory needs, builds it and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/src/pennory
