#!/usr/bin/env bash
# Posts edits into copies of the LibreOffice, Gnumeric and openpyxl
# fixtures, .xls and .xlsx, and of two .csv files (through the query, by
# the WritebackCheck cases of workbook_tests), then has every spreadsheet
# program that is installed (soffice, ssconvert) turn the original and the
# edited copy into CSV, and compares them cell by cell:
# the edited cells must hold the new values, every other cell of every
# sheet the old one. Not part of CI: it needs those programs.
# Usage: scripts/check-writeback.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
tests=$build/bin/workbook_tests
[ -x "$tests" ] || { echo "no $tests: build first (make build)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every sheet to CSV, one file per sheet, in $2 (a folder).
to_csv_soffice() {
    mkdir -p "$2"
    HOME=$work/home soffice --headless \
        --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' \
        --outdir "$2" "$1" >/dev/null 2>&1
}
to_csv_ssconvert() {
    mkdir -p "$2"
    ssconvert -S "$1" "$2/sheet-%n.csv" >/dev/null 2>&1
}

compare() { # original folder, edited folder, converter
    python3 - "$1" "$2" "$3" <<'PY'
import csv, glob, os, sys
before_dir, after_dir, tool = sys.argv[1:4]
def sheets(folder):
    out = {}
    for path in sorted(glob.glob(os.path.join(folder, '*.csv'))):
        with open(path, newline='', encoding='utf-8') as f:
            out[os.path.basename(path)] = [row for row in csv.reader(f)]
    return out
before, after = sheets(before_dir), sheets(after_dir)
if sorted(before) != sorted(after) or not before:
    sys.exit(f'{tool}: sheets differ: {sorted(before)} / {sorted(after)}')
first = sorted(before)[0]
if tool == 'soffice':  # soffice names the files after the sheets
    first = 'book-Sheet1.csv'
rows = before[first]
header = rows[0]
# The ninth column has no title: the query calls it F9.
col = {name: header.index(name) for name in ('Code', 'Name', 'Flag', 'Stamp', 'Up')}
col['F9'] = 8
def cell(table, r, c):
    return table[r][c] if r < len(table) and c < len(table[r]) else ''
expected = [list(r) for r in rows]
def put(r, name, value):
    while len(expected) <= r:
        expected.append([])
    while len(expected[r]) <= col[name]:
        expected[r].append('')
    expected[r][col[name]] = value
put(2, 'Flag', '5')
put(1, 'Name', '招商银行')
put(3, 'Name', '平安银行')
put(1, 'Stamp', '')
put(1, 'Up', 'FALSE')
new_row = len(rows)
put(new_row, 'Code', '601318')
put(new_row, 'F9', '45.5')
failures = []
edited = after[first]
for r in range(max(len(expected), len(edited))):
    for c in range(max(len(expected[r]) if r < len(expected) else 0, len(edited[r]) if r < len(edited) else 0)):
        want, got = cell(expected, r, c), cell(edited, r, c)
        # soffice shows a plain boolean cell of the General format as 0 or 1
        # (it does so for the booleans Gnumeric writes, too).
        if want != got and not (want == 'FALSE' and got.upper() in ('FALSE', '0')):
            failures.append(f'{first} row {r + 1} column {c + 1}: wanted {want!r}, got {got!r}')
for name in before:
    if name != first and before[name] != after[name]:
        failures.append(f'{name} changed')
if failures:
    sys.exit(f'{tool}: ' + '; '.join(failures[:10]))
print(f'{tool}: every cell as expected')
PY
}

tools=()
command -v soffice >/dev/null && tools+=(soffice)
command -v ssconvert >/dev/null && tools+=(ssconvert)
[ ${#tools[@]} -gt 0 ] || { echo "neither soffice nor ssconvert is installed: nothing to check" >&2; exit 0; }

status=0
for fixture in Mixed.xls MixedGnumeric.xls Mixed.xlsx MixedGnumeric.xlsx MixedOpenpyxl.xlsx; do
    book=book.${fixture##*.}
    mkdir -p "$work/$fixture/original" "$work/$fixture/edited"
    cp "$root/tests/data/$fixture" "$work/$fixture/original/$book"
    cp "$root/tests/data/$fixture" "$work/$fixture/edited/$book"
    TARNVALE_WRITEBACK_FILE=$work/$fixture/edited/$book "$tests" --gtest_filter='WritebackCheck.*' >"$work/$fixture/edit.log" 2>&1 ||
        { cat "$work/$fixture/edit.log" >&2; exit 1; }
    for tool in "${tools[@]}"; do
        "to_csv_$tool" "$work/$fixture/original/$book" "$work/$fixture/$tool-before"
        "to_csv_$tool" "$work/$fixture/edited/$book" "$work/$fixture/$tool-after"
        printf '%s: ' "$fixture"
        compare "$work/$fixture/$tool-before" "$work/$fixture/$tool-after" "$tool" || status=1
    done
done
# A .csv: LibreOffice reads the original and the posted copy (UTF-8; a
# byte-order mark is its own) and writes each out again; the edits of
# WritebackCheck.PostsTheScriptsEditsIntoTheCsvFileItNames must be there and
# every other cell as before. ssconvert guesses a .csv's form, so only
# LibreOffice checks these.
compare_csv() { # original.csv edited.csv
    python3 - "$1" "$2" <<'PY'
import csv, sys
def rows(path):
    with open(path, newline='', encoding='utf-8-sig') as f:
        return [row for row in csv.reader(f)]
before, after = rows(sys.argv[1]), rows(sys.argv[2])
expected = [list(r) for r in before]
def put(r, c, value):
    while len(expected) <= r:
        expected.append([])
    while len(expected[r]) <= c:
        expected[r].append('')
    expected[r][c] = value
put(1, 1, '招商, "银行"')
put(2, 0, '')
new_row = len(before)
put(new_row, 0, '601318')
put(new_row, 1, '45.5')
def cell(table, r, c):
    return table[r][c] if r < len(table) and c < len(table[r]) else ''
failures = []
for r in range(max(len(expected), len(after))):
    width = max(len(expected[r]) if r < len(expected) else 0, len(after[r]) if r < len(after) else 0)
    for c in range(width):
        if cell(expected, r, c) != cell(after, r, c):
            failures.append(f'row {r + 1} column {c + 1}: wanted {cell(expected, r, c)!r}, got {cell(after, r, c)!r}')
if failures:
    sys.exit('soffice: ' + '; '.join(failures[:10]))
print('soffice: every cell as expected')
PY
}
if command -v soffice >/dev/null; then
    for fixture in Quoting.csv DailyBom.csv; do
        dir=$work/$fixture
        mkdir -p "$dir/original" "$dir/edited"
        cp "$root/tests/data/$fixture" "$dir/original/book.csv"
        cp "$root/tests/data/$fixture" "$dir/edited/book.csv"
        TARNVALE_WRITEBACK_CSV=$dir/edited/book.csv "$tests" --gtest_filter='WritebackCheck.*' >"$dir/edit.log" 2>&1 ||
            { cat "$dir/edit.log" >&2; exit 1; }
        for side in original edited; do
            HOME=$work/home soffice --headless --infilter='CSV:44,34,76,1' \
                --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' \
                --outdir "$dir/$side-csv" "$dir/$side/book.csv" >/dev/null 2>&1
        done
        printf '%s: ' "$fixture"
        compare_csv "$dir/original-csv/book.csv" "$dir/edited-csv/book.csv" || status=1
    done
fi
exit $status
