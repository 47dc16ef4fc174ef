#!/usr/bin/python3
"""Saves a workbook source as Excel 97 with an opening password ("secret")
through LibreOffice's UNO interface (Debian's python3-uno), since the
command-line converter cannot set a password. Usage: Encrypted.py SOURCE TARGET"""
import os
import subprocess
import sys
import time

import uno
from com.sun.star.beans import PropertyValue


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def main(source, target):
    office = subprocess.Popen(["soffice", "--headless", "--invisible", "--norestore",
                               "--accept=pipe,name=tarnvalefixture;urp;"])
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(120):
        try:
            context = resolver.resolve("uno:pipe,name=tarnvalefixture;urp;StarOffice.ComponentContext")
            break
        except Exception:
            time.sleep(0.5)
    desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(source)), "_blank", 0,
                                       (prop("Hidden", True),))
    doc.storeToURL(uno.systemPathToFileUrl(os.path.abspath(target)),
                   (prop("FilterName", "MS Excel 97"), prop("Password", "secret")))
    doc.close(True)
    try:
        desktop.terminate()
    except Exception:
        pass  # the bridge goes down with the office
    office.wait(timeout=60)


main(sys.argv[1], sys.argv[2])
