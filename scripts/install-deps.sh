#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when one is missing.
set -euo pipefail

# clang builds the sanitizer presets; libclang-rt-14-dev holds its sanitizer
# runtimes and libFuzzer (only recommended by clang, so named here); llvm-14
# provides the llvm-symbolizer that turns sanitizer reports into source lines.
# libsqlite3-dev and libpq-dev build the persistent settings stores; postgresql
# is the server the tests start for themselves.
packages=(cmake ninja-build g++ pkg-config libicu-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev llvm-14 libsqlite3-dev libpq-dev postgresql)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
