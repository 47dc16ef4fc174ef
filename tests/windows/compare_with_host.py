#!/usr/bin/env python3
"""The Windows tarnvale-cli.exe (under Wine, code page 936) against the host's
tarnvale-cli on the same inputs: the files both write must be byte for byte
the same.

- import: text files with Chinese names (one holding 誠, whose second GBK
  byte is 0x5C, "\\") into a custom-data folder; the host program runs
  under zh_CN.UTF-8 (dates year first, as Chinese Windows writes them),
  where those names are UTF-8 as they are on the disk.
- convert: workbooks (.xls, .xlsx, .xlsm, .ods) and .csv files into GBK
  text files; the host program runs
  under zh_CN.GBK, a locale made for the test with localedef in the work
  folder (LOCPATH), so that both write GBK. Names are compared as text: the
  host writes GBK names to the disk, Wine writes UTF-8 ones.

Usage: compare_with_host.py --host-cli PATH --windows-cli PATH --wine PATH
                            --data DIR --work DIR
Exit status 0 when every file agrees."""
import argparse
import os
import shutil
import subprocess
import sys

IMPORT_INPUTS = {
    '收盘.txt': 'SH600000\t2008-01-15\t12.5\r\nSZ000001\t2008/01/15 09:30:00\t0.1\r\n'
              'SH600000\t1969-12-31\t-3.75\r\nbad line\r\nSZ000002\t2040-01-01\t1e3\n',
    '市盈率.txt': 'SH600000\t2008-01-15\t15.2\nSH600000\t2008-01-16\t15.3\nSH600001\t2008-01-16\t.5\n',
    '誠信.txt': 'SZ300750\t2024-01-05 14:59:59\t198.8\r\n\x1a',
}

# (workbook, table, code column, mappings): text, number, date and time columns.
CONVERSIONS = [
    ('Quotes.xls', 'Sheet1$', 'Code', ['Close<->收盘', 'Vol<->成交量']),
    ('Mixed.xls', 'Sheet1$', 'Code',
     ['Name<->名称', 'Close<->收盘', 'Day<->日期', 'Stamp<->时间', 'Mixed<->混合', 'Up<->涨', 'Bad<->错误']),
    ('MixedGnumeric.xls', 'Sheet1$', 'Code', ['Name<->名称', 'Vol<->成交量', 'Stamp<->时间']),
    ('Biff5Cp936.xls', 'Sheet1$', 'Code', ['Name<->名称', 'Sum<->合计']),
    ('Large.xls', 'Large$', 'Code', ['V01<->一', 'V05<->五', 'V29<->二十九']),
    # The same data as .xlsx (LibreOffice, openpyxl), .xlsm and .ods, and .csv files.
    ('Mixed.xlsx', 'Sheet1$', 'Code',
     ['Name<->名称', 'Close<->收盘', 'Day<->日期', 'Stamp<->时间', 'Mixed<->混合', 'Up<->涨', 'Bad<->错误']),
    ('MixedOpenpyxl.xlsx', 'Sheet1$', 'Code', ['Name<->名称', 'Vol<->成交量', 'Stamp<->时间']),
    ('Macro.xlsm', 'Cells$', 'Code', ['Close<->收盘', 'Since<->日期']),
    ('Mixed.ods', 'Sheet1$', 'Code',
     ['Name<->名称', 'Close<->收盘', 'Day<->日期', 'Stamp<->时间', 'Mixed<->混合', 'Up<->涨', 'Bad<->错误']),
    ('DailyGbk.csv', 'DailyGbk.csv', '代码', ['收盘 价<->收盘']),
    ('DailyBom.csv', 'DailyBom.csv', '代码', ['收盘 价<->收盘']),
]
QUOTE_DATE = '2024/01/05'

# Workbooks the Windows program reads again through a Chinese path (誠's second
# GBK byte is 0x5C, "\\"), which the host program reads by their own names.
GBK_NAMED = {'Mixed.xlsx': os.path.join('誠信 数据', '誠信行情.xlsx'),
             'Mixed.ods': os.path.join('誠信 数据', '誠信行情.ods')}


def windows_path(path):
    """A host path as Wine shows it: the host's root is drive Z:."""
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


def tree(root, name_encoding):
    """{relative name: bytes} of every file below root, names as text."""
    files = {}
    for folder, _, names in os.walk(os.fsencode(root)):
        for name in names:
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, os.fsencode(root)).decode(name_encoding)
            with open(path, 'rb') as f:
                files[relative] = f.read()
    return files


def compare(what, host, windows):
    """Failures as lines; nothing when both trees are the same and not empty."""
    problems = []
    if not host:
        problems.append(f'{what}: the host program wrote nothing')
    for name in sorted(set(host) | set(windows)):
        if name not in windows:
            problems.append(f'{what}: only the host wrote {name}')
        elif name not in host:
            problems.append(f'{what}: only Windows wrote {name}')
        elif host[name] != windows[name]:
            problems.append(f'{what}: {name} differs: host {host[name][:40]!r}... windows {windows[name][:40]!r}...')
    return problems


def run(command, env, cwd=None):
    result = subprocess.run(command, env=env, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if result.returncode != 0:
        raise RuntimeError(f'{command!r} exited {result.returncode}: {result.stderr.decode(errors="replace")}')


def gbk_locale(work):
    """LOCPATH holding zh_CN.GBK, made once per work folder."""
    locales = os.path.join(work, 'locales')
    target = os.path.join(locales, 'zh_CN.GBK')
    if not os.path.isdir(target):
        os.makedirs(locales, exist_ok=True)
        # -c: the GBK charmap lacks a few characters the zh_CN source names.
        subprocess.run(['localedef', '-c', '-i', 'zh_CN', '-f', 'GBK', target],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not os.path.isdir(target):
            raise RuntimeError('localedef could not make zh_CN.GBK')
    return locales


def check_import(args, work, host_env, wine_env):
    inputs = os.path.join(work, 'import-inputs')
    os.makedirs(inputs)
    for name, text in IMPORT_INPUTS.items():
        with open(os.path.join(inputs, name), 'wb') as f:
            f.write(text.encode('ascii'))
    names = sorted(IMPORT_INPUTS)
    results = {}
    for side in ('host', 'windows'):
        folder = os.path.join(work, 'import-' + side)
        os.makedirs(folder)
        for target in ('dat', 'adt'):
            if side == 'host':
                run([args.host_cli, 'import', '--folder', folder, '--target', target] +
                    [os.path.join(inputs, n) for n in names], host_env)
            else:
                run([args.wine, args.windows_cli, 'import', '--folder', windows_path(folder), '--target', target] +
                    [windows_path(os.path.join(inputs, n)) for n in names], wine_env)
        results[side] = tree(folder, 'utf-8')
    return compare('import', results['host'], results['windows'])


def check_convert(args, work, gbk_env, wine_env):
    problems = []
    runs = [(c, c[0]) for c in CONVERSIONS] + [(c, GBK_NAMED[c[0]]) for c in CONVERSIONS if c[0] in GBK_NAMED]
    for (workbook, table, code, mappings), windows_name in runs:
        source = os.path.join(args.data, workbook)
        windows_source = source
        if windows_name != workbook:
            windows_source = os.path.join(work, windows_name)
            os.makedirs(os.path.dirname(windows_source), exist_ok=True)
            shutil.copyfile(source, windows_source)
        results = {}
        for side in ('host', 'windows'):
            # ASCII: the host names its folders in GBK, Python in UTF-8.
            out = os.path.join(work, 'convert-' + side, workbook if windows_name == workbook else 'gbk-' + workbook)
            os.makedirs(out)
            if side == 'host':
                command = [args.host_cli, 'convert', source, table, '--code-column', code, '--date', QUOTE_DATE,
                           '--out', out]
                command += [b for m in mappings for b in ('--map', m)]
                run([c.encode('gbk') for c in command], gbk_env)
                results[side] = tree(out, 'gbk')
            else:
                command = [args.wine, args.windows_cli, 'convert', windows_path(windows_source), table,
                           '--code-column', code, '--date', QUOTE_DATE, '--out', windows_path(out)]
                command += [b for m in mappings for b in ('--map', m)]
                run(command, wine_env)
                results[side] = tree(out, 'utf-8')
        problems += compare('convert ' + windows_name, results['host'], results['windows'])
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ('--host-cli', '--windows-cli', '--wine', '--data', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    work = os.path.abspath(args.work)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)

    host_env = dict(os.environ, LC_ALL='zh_CN.UTF-8')
    gbk_env = dict(os.environ, LC_ALL='zh_CN.GBK', LOCPATH=gbk_locale(os.path.dirname(work)))
    wine_env = dict(os.environ)
    problems = check_import(args, work, host_env, wine_env) + check_convert(args, work, gbk_env, wine_env)
    for problem in problems:
        print(problem)
    checks = 1 + len(CONVERSIONS) + len(GBK_NAMED)
    failed = len({p.split(':')[0] for p in problems})
    print(f'{checks - failed} passed, {failed} failed')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
