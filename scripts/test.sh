#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Widget tests run on Qt's
# offscreen platform; every test uses temporary settings and document folders.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)" "$@"
