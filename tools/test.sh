#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite on the offscreen platform.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/setup.sh"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$top/build" --output-on-failure
