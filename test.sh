#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UBSan, and runs
# every test on that build. Any sanitizer report (a use of freed memory,
# undefined behaviour, a leak) ends its process with an error and fails the test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh sanitize
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize -j"$(nproc)" --output-on-failure --timeout 300
