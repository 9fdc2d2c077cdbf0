#!/usr/bin/env bash
# Sets up, builds and runs Vellox. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/cli/vellox-solve "$@"
