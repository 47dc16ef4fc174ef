#!/usr/bin/env bash
# make screenshot-windows: the Win32 window program (build-windows/bin/tarnvale.exe)
# under Wine with code page 936 on a virtual X screen (Xvfb), driven by the
# keyboard through xdotool as a user would, photographed into docs/:
#   docs/win32-Form1-Excel.png    the first page, a workbook's sheet in the preview
#   docs/win32-Form1-Import.png   the second page
#   docs/win32-colnameForm.png    the mapping dialog
# There is no window manager: the pictures are the windows' client areas, as
# the Qt screenshots are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build-windows/bin/tarnvale.exe
out=${1:-$root/docs}
book=$root/tests/data/Quotes.xls
for tool in Xvfb xdotool xwd convert wine; do
    command -v "$tool" >/dev/null || { echo "screenshot-windows: $tool not found" >&2; exit 2; }
done
[ -f "$exe" ] || { echo "screenshot-windows: $exe missing (make windows)" >&2; exit 2; }
mkdir -p "$out"

work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(head -n1 "$work/display")
export DISPLAY=$display

# A prefix of its own: the headless tests' prefix has no X driver.
export WINEPREFIX=${TMPDIR:-/tmp}/wine-cp936-x11-$(id -u) WINE_CP936_DISPLAY=$display
"$root/scripts/wine-cp936" "$exe" >/dev/null 2>&1 &
app=$!
form1=""
for _ in $(seq 120); do
    form1=$(xdotool search --name '^Tarnvale$' 2>/dev/null | head -n1) && [ -n "$form1" ] && break
    sleep 0.5
done
[ -n "$form1" ] || { echo "screenshot-windows: the main window did not show" >&2; exit 1; }
sleep 3
xdotool mousemove 1020 760
xdotool windowfocus "$form1"; sleep 0.5

key() { xdotool key --delay 80 "$@"; sleep 0.7; }
# Wine on Xvfb leaves a window that it maps over another of its windows
# unpainted (black; its own message boxes too) until it no longer overlaps
# it: the dialog is photographed beside the main window.
expose() {
    xdotool windowmove "$1" 800 40
    sleep 1
}
shot() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$2")"
    xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1"
    echo "$out/$1"
}

# The workbook typed into "Excel文件：" and opened by Enter; its sheet picked
# in "选择要转换的表:" (Tab: grid, path, 转换, save path, two browse buttons,
# code column, sheet list).
wine_path="Z:$(printf '%s' "$book" | tr / '\\')"
key Tab Tab
xdotool type --delay 20 "$wine_path"
key Return
key Tab Tab Tab Tab Tab Tab
key Down
shot win32-Form1-Excel.png "$form1"

# Back to the tab strip, then the second page.
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
key Right
shot win32-Form1-Import.png "$form1"
key Left

# "添加行" (the 11th tab stop) pressed with Enter: the dialog opens.
key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
key Return
sleep 1
dialog=$(xdotool search --name "$(printf '\xe8\xae\xbe\xe7\xbd\xae\xe5\xaf\xb9\xe5\xba\x94\xe5\x85\xb3\xe7\xb3\xbb')" | head -n1)
[ -n "$dialog" ] || { echo "screenshot-windows: the mapping dialog did not show" >&2; exit 1; }
expose "$dialog"
shot win32-colnameForm.png "$dialog"
