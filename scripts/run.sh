#!/usr/bin/env bash
# Sets up, builds and starts Vellox. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: Vellox is a desktop program. Start it from a desktop session," >&2
    echo "or use the command line tool: build/Vellox/vellox-solve --help" >&2
    exit 1
fi
exec "build/Vellox/vellox" "$@"
