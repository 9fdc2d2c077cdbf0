#!/usr/bin/env bash
# Configures and builds Vellox in ./build (Ninja, RelWithDebInfo). Warnings
# are errors in the project's own targets (their COMPILE_WARNING_AS_ERROR).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel
