#!/usr/bin/env bash
# Checks of the installed form of Tarnvale, run by CTest:
#   check-package.sh desktop ENTRY            desktop-file-validate on the menu entry
#   check-package.sh install BUILD EXPECTED   `cmake --install` into a temporary root; its file
#                                             list must equal EXPECTED (paths below the prefix)
#   check-package.sh deb BUILD                cpack makes the .deb; lintian finds no error in it
# Exits 77 (skipped) when the tool a check needs is not installed.
set -euo pipefail

need() {
  command -v "$1" >/dev/null 2>&1 || { echo "skipped: $1 is not installed"; exit 77; }
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

case "${1:-}" in
desktop)
  need desktop-file-validate
  desktop-file-validate "$2"
  ;;
install)
  DESTDIR="$scratch/root" cmake --install "$2" --prefix /usr >/dev/null
  (cd "$scratch/root/usr" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$scratch/actual"
  LC_ALL=C sort "$3" >"$scratch/expected"
  if ! diff -u "$scratch/expected" "$scratch/actual"; then
    echo "the installed files differ from $3 (- expected, + installed)"
    exit 1
  fi
  ;;
deb)
  need lintian
  need dpkg-shlibdeps
  (cd "$2" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log") || { cat "$scratch/cpack.log"; exit 1; }
  deb=$(ls "$scratch"/out/*.deb)
  echo "package: $(basename "$deb")"
  dpkg-deb --field "$deb" Package Version Depends Recommends
  # Errors fail the check; warnings are printed for the record.
  lintian --tag-display-limit 0 "$deb" | tee "$scratch/lintian.log"
  if grep -q '^E:' "$scratch/lintian.log"; then
    echo "lintian found errors"
    exit 1
  fi
  ;;
*)
  echo "usage: check-package.sh desktop ENTRY | install BUILD EXPECTED | deb BUILD" >&2
  exit 2
  ;;
esac
