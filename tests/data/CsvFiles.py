#!/usr/bin/env python3
"""Writes the .csv fixtures that LibreOffice cannot: with Python's csv module.

  CsvFiles.py quoting DIR   Quoting.csv (quotes only where needed, CR LF) and
                            QuotingAll.csv (every field quoted, LF) of the
                            same rows: every quoting case, a short and a long
                            row, a row of one empty field
  CsvFiles.py bom IN OUT    OUT: the UTF-8 file IN behind a byte-order mark
"""
import csv
import os
import sys

ROWS = [
    ["Code", "Name", "Note", "Quote"],
    ["600000", "浦发银行", "a,b", 'say "hi"'],
    ["000001", "平安银行", "line1\nline2", "cr\ronly"],
    ["300750", "", "crlf\r\nboth", "  spaced  "],
    ["600519", '"', ",", '""'],
    ["1"],
    ["2", "x", "y", "z", "beyond"],
    [""],
    ["3", "", "", "last"],
]


def quoting(folder):
    for name, quoting, end in (("Quoting.csv", csv.QUOTE_MINIMAL, "\r\n"),
                               ("QuotingAll.csv", csv.QUOTE_ALL, "\n")):
        with open(os.path.join(folder, name), "w", encoding="utf-8", newline="") as out:
            csv.writer(out, quoting=quoting, lineterminator=end).writerows(ROWS)


def bom(source, target):
    with open(source, encoding="utf-8", newline="") as f:
        text = f.read()
    with open(target, "w", encoding="utf-8-sig", newline="") as out:
        out.write(text)


if sys.argv[1] == "quoting":
    quoting(sys.argv[2])
else:
    bom(sys.argv[2], sys.argv[3])
