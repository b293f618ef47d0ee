#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo database beside the program
# when it is missing (tabulor-mkdb writes the dish-code counter file
# AutoCode.text beside it), and starts Tabulor on it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
bin=build/bin
if [ ! -f "$bin/demo.db" ]; then
  "$bin/tabulor-mkdb" --demo "$bin/demo.db"
fi
if [ ! -f "$bin/DataBasePath.txt" ]; then
  printf '%s\r\n' "$(cd "$bin" && pwd)/demo.db" > "$bin/DataBasePath.txt"
fi
cd "$bin"
exec ./tabulor "$@"
