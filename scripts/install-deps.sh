#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tarnvale need;
# with the argument "fuzz", also what the fuzz build needs (clang and its
# libFuzzer runtime). Idempotent: installs nothing when every package is
# present, and refreshes the package lists only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config python3
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcli11-dev
  libfreexl-dev
  # .xlsx/.xlsm: zlib's inflate and deflate for the zip packages, expat for their XML
  zlib1g-dev libexpat1-dev
  fonts-wqy-zenhei
  qt6-translations-l10n
  # the package checks: the menu entry, the .deb's contents and dependencies
  desktop-file-utils lintian dpkg-dev
  # format-check: the version is pinned, as others lay out some code differently
  clang-format-14
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
