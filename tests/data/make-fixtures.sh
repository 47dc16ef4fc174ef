#!/usr/bin/env bash
# Rebuilds the workbook fixtures from their sources with real spreadsheet
# programs, which must be installed:
#   apt-get install libreoffice-calc-nogui gnumeric python3-uno python3-openpyxl \
#       python3-xlsxwriter zip
# The workbooks are committed, so the tests never need these programs.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# LibreOffice Calc to Excel 97 (BIFF8); it writes no Excel 95 any more.
libre() { # source target.xls [filter] [input filter]
    local filter=${3:-MS Excel 97}
    soffice --headless ${4:+--infilter="$4"} --convert-to "xls:$filter" --outdir "$work" "$1" >/dev/null
    mv "$work/$(basename "${1%.*}").xls" "$2"
}

# LibreOffice Calc to Office Open XML.
libre_xlsx() { # source target.xlsx
    soffice --headless --convert-to "xlsx:Calc MS Excel 2007 XML" --outdir "$work" "$1" >/dev/null
    mv "$work/$(basename "${1%.*}").xlsx" "$2"
}

# Gnumeric reads OpenDocument only in its packed form: LibreOffice packs the
# flat source first, then Gnumeric recalculates and writes the workbook.
gnumeric() { # source.fods target exporter
    soffice --headless --convert-to ods --outdir "$work" "$1" >/dev/null
    ssconvert --recalc -T "$3" "$work/$(basename "${1%.*}").ods" "$2" 2>/dev/null
}

libre Mixed.fods Mixed.xls
libre Quotes.fods Quotes.xls
libre Dates1904.fods Dates1904.xls
# A sheet without cells; the whole workbook small enough for the mini stream.
libre EmptySheet.fods EmptySheet.xls
# One array formula over two cells (ARRAY record).
libre ArrayFormula.fods ArrayFormula.xls
gnumeric Mixed.fods MixedGnumeric.xls Gnumeric_Excel:excel_biff8
gnumeric Formulas.fods GnumericFormulas.xls Gnumeric_Excel:excel_biff8
# Gnumeric's own file format can hold boolean and error values in plain cells.
ssconvert -T Gnumeric_Excel:excel_biff8 Booleans.gnumeric Booleans.xls 2>/dev/null
# Gnumeric takes the code page of Excel 95 text from the Windows language.
WINDOWS_LANGUAGE=zh_CN gnumeric Mixed.fods Biff5Cp936.xls Gnumeric_Excel:excel_biff7

python3 LongStrings.py "$work/LongStrings.fods"
libre "$work/LongStrings.fods" LongStrings.xls
# The code column is imported as text (column 1, format 2) so that 000001 keeps its zeros.
python3 Large.py "$work/Large.csv"
libre "$work/Large.csv" Large.xls "MS Excel 97" "CSV:44,34,76,1,1/2"

/usr/bin/python3 Encrypted.py Quotes.fods Encrypted.xls

# .csv: LibreOffice's export (UTF-8, LF line breaks); the second sheet of
# Mixed (Chinese names and texts) also behind a byte-order mark (Python's
# utf-8-sig codec) and in GBK (iconv). Python's csv module writes every
# quoting case.
libre_csv() { # source target.csv sheet-number
    local out
    out=$(mktemp -d -p "$work")
    soffice --headless --convert-to "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,$3" \
        --outdir "$out" "$1" >/dev/null
    mv "$out"/*.csv "$2"
}
libre_csv Quotes.fods Quotes.csv 1
libre_csv Mixed.fods Daily.csv 2
python3 CsvFiles.py bom Daily.csv DailyBom.csv
iconv -f UTF-8 -t GBK Daily.csv >DailyGbk.csv
python3 CsvFiles.py quoting .
# Office Open XML: the same data as the .xls files, from LibreOffice, then
# saved again by openpyxl (which keeps the values, not the formulas).
for name in Mixed Quotes Dates1904 EmptySheet ArrayFormula; do
    libre_xlsx $name.fods $name.xlsx
done
for name in Mixed Quotes Dates1904; do
    /usr/bin/python3 Openpyxl.py resave $name.xlsx ${name}Openpyxl.xlsx
done
gnumeric Mixed.fods MixedGnumeric.xlsx Gnumeric_Excel:xlsx2
/usr/bin/python3 Openpyxl.py cells OpenpyxlCells.xlsx
/usr/bin/python3 XlsxWriter.py cells XlsxWriterCells.xlsx
/usr/bin/python3 XlsxWriter.py macro Macro.xlsm
/usr/bin/python3 Strict.py Mixed.xlsx MixedStrict.xlsx
# The benchmark's workbook: the .xls data as LibreOffice writes it in .xlsx.
libre_xlsx Large.xls Large.xlsx
# OpenDocument: the same data as the .xls files from LibreOffice and from
# Gnumeric. OdsCells holds the cells that only OpenDocument stores its own
# way; its .xls files are the same data as each program writes it there.
libre_ods() { # source target.ods
    soffice --headless --convert-to ods --outdir "$work" "$1" >/dev/null
    mv "$work/$(basename "${1%.*}").ods" "$2"
}
for name in Mixed Quotes Dates1904 EmptySheet OdsCells; do
    libre_ods $name.fods $name.ods
done
libre OdsCells.fods OdsCells.xls
gnumeric Mixed.fods MixedGnumeric.ods Gnumeric_OpenCalc:openoffice
gnumeric OdsCells.fods OdsCellsGnumeric.ods Gnumeric_OpenCalc:openoffice
gnumeric OdsCells.fods OdsCellsGnumeric.xls Gnumeric_Excel:excel_biff8
# The benchmark's workbook as LibreOffice writes it in .ods.
libre_ods Large.xls Large.ods
# The same parts as Quotes.xlsx in a package with zip64 records (Info-ZIP's zip -fz).
mkdir "$work/zip64"
(cd "$work/zip64" && unzip -q "$OLDPWD/Quotes.xlsx" && rm -f "$OLDPWD/Zip64.xlsx" &&
    zip -q -X -fz -r "$OLDPWD/Zip64.xlsx" '[Content_Types].xml' _rels docProps xl)
