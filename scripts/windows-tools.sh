#!/usr/bin/env bash
# Exit status 0 when this machine can build for Windows and run the result:
# mingw-w64 (posix thread model) with its zlib, Wine, and the locale Wine
# takes code page 936 from. scripts/install-deps.sh installs them unless TARNVALE_WINDOWS=0.
[ "${TARNVALE_WINDOWS:-1}" != 0 ] || exit 1
command -v x86_64-w64-mingw32-g++-posix >/dev/null || exit 1
[ -f /usr/x86_64-w64-mingw32/lib/libz.a ] || exit 1
command -v wine >/dev/null || exit 1
locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\{0,1\}8'
