#!/usr/bin/env python3
"""Writes LongStrings.fods: one sheet of many distinct texts, so that the
shared-string table runs over many CONTINUE records, with ASCII-only and
Chinese texts side by side (the 8-bit and 16-bit forms switch at the cuts),
and one text of 20000 characters that is cut several times itself."""
import sys

def texts():
    words = ["alpha", "平安", "beta", "银行", "gamma", "浦发", "delta", "茅台"]
    for i in range(1200):
        w = words[i % len(words)]
        yield ("%s-%04d-" % (w, i)) * (1 + i % 5)

def cell(text):
    return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % text

def main(path):
    rows = ['<table:table-row>%s%s</table:table-row>' % (cell("Index"), cell("Text"))]
    for i, t in enumerate(texts()):
        rows.append('<table:table-row><table:table-cell office:value-type="float" office:value="%d"/>%s</table:table-row>'
                    % (i, cell(t)))
    long_text = "x" * 9000 + "长" * 6000 + "y" * 5000
    rows.append('<table:table-row><table:table-cell office:value-type="float" office:value="1200"/>%s</table:table-row>'
                % cell(long_text))
    with open(path, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
                  'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
                  'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2" '
                  'office:mimetype="application/vnd.oasis.opendocument.spreadsheet">'
                  '<office:body><office:spreadsheet><table:table table:name="Texts">\n')
        out.write("\n".join(rows))
        out.write('\n</table:table></office:spreadsheet></office:body></office:document>\n')

main(sys.argv[1])
