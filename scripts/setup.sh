#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and benchmarks need (only the missing ones).
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libpng-dev libcli11-dev
          nlohmann-json3-dev qt6-translations-l10n libgtest-dev libgmock-dev libbenchmark-dev fonts-ipafont-gothic
          xvfb xauth g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev file desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
