#!/usr/bin/env bash
# Builds and runs every test (no display needed: Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j 2
