#!/usr/bin/env bash
# Rebuilds the workbook fixtures from their sources with real spreadsheet
# programs (LibreOffice Calc and Gnumeric), which must be installed:
#   apt-get install libreoffice-calc-nogui gnumeric
# The .xls files are committed, so the tests never need these programs.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# LibreOffice: flat OpenDocument sources to Excel 97 (BIFF8).
libre() { # source.fods target.xls
    soffice --headless --convert-to xls --outdir "$work" "$1" >/dev/null
    mv "$work/$(basename "${1%.*}").xls" "$2"
}

libre Mixed.fods Mixed.xls
libre Quotes.fods Quotes.xls
