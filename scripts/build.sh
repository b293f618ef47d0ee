#!/usr/bin/env bash
# Configures and builds Tabulor: the optimised program into build/, or with
# "sanitize" every target with AddressSanitizer and UBSan into build-sanitize/
# (the build the tests run on).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = sanitize ]; then
  dir=build-sanitize
  options=(-DTABULOR_SANITIZE=ON)
else
  dir=build
  options=()
fi
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja "${options[@]}"
cmake --build "$dir" -j"$(nproc)"
