#!/usr/bin/env python3
"""Checks that every folder of src/ includes only the folders it may use.

The rules are the table "Folders and what they may use" in ARCHITECTURE.md:
each row names a folder (or single files) of src/ and the folders its files
may include; a folder may always include its own headers. For a file the
most specific row counts (src/workbook/formats before src/workbook). Only
quoted includes are looked at; a header is known by the folder it lies in
("workbook/formats/XlsFormat.h" is in workbook/formats).

Usage: check-includes.py [--root DIR] [--rules FILE]
       check-includes.py --self-test
Exit status 0 when every include is allowed, 1 with one line per forbidden
include otherwise."""
import argparse
import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
ROW = re.compile(r'^\|(.+)\|\s*$')
HEADING = 'Folders and what they may use'


def read_rules(path):
    """{'src/xls': {'table', 'common'}, 'src/app/main.cpp': {...}, ...}"""
    text = open(path, encoding='utf-8').read()
    start = text.find(HEADING)
    if start < 0:
        sys.exit(f'{path}: no section "{HEADING}"')
    rules = {}
    for line in text[start:].splitlines()[1:]:
        if line.startswith('#'):
            break
        row = ROW.match(line)
        if not row:
            continue
        cells = [c.strip() for c in row.group(1).split('|')]
        places = re.findall(r'`(src/[^`]+)`', cells[0])
        if not places:
            continue
        allowed = cells[-1]
        allowed = re.sub(r'\([^)]*\)', '', allowed)  # remarks in brackets
        names = {n.strip().strip('`') for n in allowed.split(',')}
        names = {n for n in names if n and n not in ('-', '—', 'nothing')}
        for place in places:
            rules[place.rstrip('/')] = names
    if not rules:
        sys.exit(f'{path}: the table under "{HEADING}" has no rows')
    return rules


def rule_for(rules, relative):
    """The most specific row for a file path like src/workbook/formats/XlsFormat.cpp."""
    if relative in rules:
        return relative, rules[relative]
    folder = os.path.dirname(relative)
    while folder and folder != 'src':
        if folder in rules:
            return folder, rules[folder]
        folder = os.path.dirname(folder)
    return None, None


def check(root, rules_path):
    rules = read_rules(rules_path)
    problems = []
    src = os.path.join(root, 'src')
    for folder, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, root).replace(os.sep, '/')
            place, allowed = rule_for(rules, relative)
            if place is None:
                problems.append(f'{relative}: its folder has no row in the table of {rules_path}')
                continue
            own = os.path.dirname(relative)[len('src/'):]
            text = open(path, encoding='utf-8', errors='replace').read()
            for included in INCLUDE.findall(text):
                target = os.path.dirname(included)
                if not target or target == own or target in allowed:
                    continue
                if not os.path.exists(os.path.join(src, included)):
                    continue  # not one of ours (a generated file, a test's own header)
                problems.append(f'{relative}: includes "{included}", but {place} may use only '
                                f'{", ".join(sorted(allowed)) or "its own folder"}')
    return problems


def self_test():
    """The check must find a forbidden include and pass a clean tree."""
    with tempfile.TemporaryDirectory() as root:
        os.makedirs(os.path.join(root, 'src/low'))
        os.makedirs(os.path.join(root, 'src/high'))
        rules = os.path.join(root, 'ARCHITECTURE.md')
        with open(rules, 'w') as f:
            f.write(f'## {HEADING}\n\n| Folder | May use |\n| --- | --- |\n'
                    '| `src/low` | — |\n| `src/high` | low |\n')
        def write(name, text):
            with open(os.path.join(root, 'src', name), 'w') as f:
                f.write(text)
        write('low/Low.h', '#pragma once\n')
        write('high/High.cpp', '#include "high/High.h"\n#include "low/Low.h"\n#include <vector>\n')
        write('high/High.h', '#pragma once\n')
        if check(root, rules):
            print('self-test: a clean tree was refused', file=sys.stderr)
            return 1
        write('low/Low.cpp', '#include "low/Low.h"\n#include "high/High.h"\n')
        found = check(root, rules)
        if len(found) != 1 or 'src/low/Low.cpp: includes "high/High.h"' not in found[0]:
            print(f'self-test: the upward include was not found: {found}', file=sys.stderr)
            return 1
    print('self-test: passed')
    return 0


def main():
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser()
    parser.add_argument('--root', default=here)
    parser.add_argument('--rules', default=None)
    parser.add_argument('--self-test', action='store_true')
    args = parser.parse_args()
    if args.self_test:
        return self_test()
    problems = check(args.root, args.rules or os.path.join(args.root, 'ARCHITECTURE.md'))
    for problem in problems:
        print(problem)
    if problems:
        print(f'{len(problems)} forbidden include(s): see "{HEADING}" in ARCHITECTURE.md')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
