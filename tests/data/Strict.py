#!/usr/bin/python3
"""Turns a transitional Office Open XML workbook (as LibreOffice writes it)
into the strict form that Excel writes when "Strict Open XML Spreadsheet"
is chosen: the same parts, with the namespaces and relationship types of
ISO/IEC 29500 strict. No program of Debian writes the strict form, so this
rewrite of a LibreOffice file stands in for one; it changes names only,
never content. Usage: Strict.py SOURCE.xlsx TARGET.xlsx"""
import sys
import zipfile

NAMES = [
    ("http://schemas.openxmlformats.org/spreadsheetml/2006/main",
     "http://purl.oclc.org/ooxml/spreadsheetml/main"),
    ("http://schemas.openxmlformats.org/officeDocument/2006/relationships",
     "http://purl.oclc.org/ooxml/officeDocument/relationships"),
    ("http://schemas.openxmlformats.org/drawingml/2006/main",
     "http://purl.oclc.org/ooxml/drawingml/main"),
]


def main(source, target):
    with zipfile.ZipFile(source) as old, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as new:
        for item in old.infolist():
            data = old.read(item)
            if item.filename.endswith((".xml", ".rels")):
                text = data.decode("utf-8")
                for transitional, strict in NAMES:
                    text = text.replace(transitional, strict)
                data = text.encode("utf-8")
            new.writestr(item, data)


main(sys.argv[1], sys.argv[2])
