#!/usr/bin/python3
"""Workbooks written by python3-openpyxl, the way Python scripts write them
(every text inline, numbers in Python's notation, dates as numbers with a
custom format, formulas without a stored result).
  Openpyxl.py resave SOURCE.xlsx TARGET.xlsx
      loads a workbook with the values its formulas last gave (not the
      formulas) and saves it again: the same data as SOURCE, openpyxl's way.
  Openpyxl.py cells TARGET.xlsx
      writes the cells that only openpyxl writes this way: formulas whose
      result is empty (<v></v>), a constant error value, booleans, cells
      sparse and without a row in between."""
import datetime
import sys

import openpyxl


def resave(source, target):
    book = openpyxl.load_workbook(source, data_only=True)
    book.save(target)


def cells(target):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Cells"
    sheet.append(["Code", "Close", "Day", "Listed", "Double", "Note"])
    sheet.append(["600000", 10.5, datetime.date(2024, 1, 5), True, "=B2*2", "浦发银行"])
    sheet.append(["000001", 1e-05, datetime.datetime(2024, 1, 5, 10, 30), False, "=B3*2", "平安银行"])
    sheet["F4"] = "#N/A"
    sheet["F4"].data_type = "e"
    sheet["A6"] = "300750"  # row 5 left out
    sheet["B6"] = -2.5
    book.save(target)


if sys.argv[1] == "resave":
    resave(sys.argv[2], sys.argv[3])
else:
    cells(sys.argv[2])
