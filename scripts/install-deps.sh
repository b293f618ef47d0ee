#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Tabulor.
# Does nothing when everything is present.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libqt6sql6-sqlite
          libcups2-dev cups-daemon libgtest-dev libsqlite3-dev fonts-noto-cjk xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
# sudo drops the environment, so the front end is passed on the command line.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
