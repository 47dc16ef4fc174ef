#!/usr/bin/python3
"""Workbooks written by python3-xlsxwriter, the way Excel writes them
(shared strings, rich text, built-in date formats, array formulas with a
stored result).
  XlsxWriter.py cells TARGET.xlsx
  XlsxWriter.py macro TARGET.xlsm
      the same cells in a macro-enabled workbook, with the VBA project
      that Debian's python3-xlsxwriter ships as an example."""
import datetime
import sys

import xlsxwriter

VBA_PROJECT = "/usr/share/doc/python3-xlsxwriter/examples/vbaProject.bin"


def write(target, macro):
    book = xlsxwriter.Workbook(target)
    if macro:
        book.add_vba_project(VBA_PROJECT)
    sheet = book.add_worksheet("Cells")
    bold = book.add_format({"bold": True})
    stamp = book.add_format({"num_format": 22})  # built-in m/d/yyyy h:mm
    day = book.add_format({"num_format": 14})  # built-in m/d/yyyy
    chinese_day = book.add_format({"num_format": 58})  # built-in, East Asian versions
    for column, name in enumerate(["Code", "Close", "Day", "Stamp", "Double", "Note", "Since"]):
        sheet.write_string(0, column, name)
    rows = [("600000", 10.5, datetime.date(2024, 1, 5), datetime.datetime(2024, 1, 5, 10, 30)),
            ("000001", 12.25, datetime.date(1999, 12, 31), datetime.datetime(1900, 3, 1, 0, 0, 1))]
    for row, (code, close, when, at) in enumerate(rows, start=1):
        sheet.write_string(row, 0, code)
        sheet.write_number(row, 1, close)
        sheet.write_datetime(row, 2, when, day)
        sheet.write_datetime(row, 3, at, stamp)
        sheet.write_datetime(row, 6, when, chinese_day)
    sheet.write_array_formula("E2:E3", "{=B2:B3*2}", None, 21)
    sheet.write_rich_string(1, 5, "浦发", bold, "银行")
    sheet.write_string(2, 5, "000001")  # the same text as A3: one shared string
    book.close()


write(sys.argv[2], sys.argv[1] == "macro")
