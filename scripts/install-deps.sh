#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tarnvale need;
# with the argument "fuzz", also what the fuzz build needs (clang and its
# libFuzzer runtime); with "screenshot-windows", what photographs the Win32
# windows under Wine (an X server, xdotool, xwd, ImageMagick). Idempotent: installs nothing when every package is
# present, and refreshes the package lists only when something is missing.
#
# The Windows build (make windows) and its tests under Wine need mingw-w64,
# Wine and the locale zh_CN.UTF-8, from which Wine takes code page 936; they
# are installed too unless TARNVALE_WINDOWS=0.
set -euo pipefail

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# Wine's code page follows the Unix locale: without zh_CN.UTF-8 it would
# silently run as code page 1252.
enable_chinese_locale() {
  locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\{0,1\}8' && return 0
  echo "Generating the locale zh_CN.UTF-8 (for Wine's code page 936)"
  $sudo sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
}

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
if [ "${1:-}" = screenshot-windows ]; then
  packages+=(xvfb xdotool x11-apps imagemagick)
fi
windows=${TARNVALE_WINDOWS:-1}
windows_packages=()
if [ "$windows" != 0 ]; then
  # The posix thread model: GCC 12's win32 one has no std::mutex or std::thread.
  # wine owns /usr/bin/wine, wine64 the 64-bit loader; their recommends
  # (fonts, sound, gstreamer) are not needed by console programs. zlib for
  # the zip packages comes built for mingw-w64; expat does not, and
  # scripts/build-mingw-expat.sh builds it from Debian's source (dpkg-dev).
  windows_packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest locales libz-mingw-w64-dev)
fi

not_installed() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(not_installed "${packages[@]}")
mapfile -t missing_windows < <(not_installed "${windows_packages[@]}")

if [ ${#missing[@]} -gt 0 ] || [ ${#missing_windows[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]} ${missing_windows[*]}"
  $sudo apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
  if [ ${#missing_windows[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing_windows[@]}"
  fi
fi
if [ "$windows" != 0 ]; then
  enable_chinese_locale
fi
