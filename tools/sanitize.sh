#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs it; any report fails the run.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
VELK_BUILD_DIR="$top/build-asan" "$top/tools/setup.sh" -DVELK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$top/tools/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$top/build-asan" --output-on-failure
