#!/usr/bin/env python3
"""Writes Large.csv: 5000 stock rows of 30 columns (the code, then 29 values
with two decimals or whole volumes), deterministic so that a rebuild gives
the same workbook."""
import random
import sys

def main(path):
    rng = random.Random(20261208)
    names = ["Code"] + ["V%02d" % i for i in range(1, 30)]
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write(",".join(names) + "\r\n")
        for row in range(5000):
            code = ("600%03d" % row) if row % 2 == 0 else ("%06d" % (row + 1))
            values = []
            for col in range(1, 30):
                if col % 5 == 0:
                    values.append(str(rng.randint(1000, 90000000)))
                else:
                    values.append("%.2f" % rng.uniform(1, 500))
            out.write(code + "," + ",".join(values) + "\r\n")

main(sys.argv[1])
