#!/usr/bin/env python3
"""The fault suite: the built programs run as a user's would, while other
processes write the same files, under kill -9, on a full disk and on
endless input. Each case checks what must survive: every record present and
whole, every output and workbook either old or new, no temporary file that
piles up, memory that stays bounded.

CTest runs one class of cases per test (label "faults"):
    faults.py --bin BUILD/bin --data tests/data [--sanitized] [CASE ...]
CASE is a unittest name: a class such as KilledRuns, or one case of it such
as KilledRuns.test_a_post_leaves_the_old_or_the_new_value; without one,
every case runs. --sanitized skips what a sanitizer build cannot take (an
address-space limit). --wine WRAPPER runs the Windows build's programs
(NAME.exe) through WRAPPER (scripts/wine-cp936), as on a Chinese Windows,
whose dates put the year first; only the cases that use no POSIX limits and
no C-locale dates are meant for it (the Windows build's CTest names them).

A full disk is a small tmpfs that the suite mounts when it runs as root (as
CI does); otherwise a file-size limit (RLIMIT_FSIZE) stands in for it.
"""
import argparse
import datetime
import os
import random
import re
import resource
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest

BIN = DATA = WINE = None
SANITIZED = False
# The C locale's settings: dates month/day/year, "." as the decimal separator.
ENV = dict(os.environ, LC_ALL='C')
DATE_FORMAT = '%m-%d-%Y'
TEMPORARY_PREFIX = '.tarnvale-'
EPOCH = datetime.date(1970, 1, 1)


def program(name, *args):
    """The command that runs the built program `name` with `args`. Under
    Wine the host's absolute paths are given as Windows sees them (the
    host's root is drive Z:), since "/x" would be taken for an option."""
    if WINE:
        return [WINE, os.path.join(BIN, name + '.exe'),
                *('Z:' + arg.replace('/', '\\') if arg.startswith('/') else arg for arg in args)]
    return [os.path.join(BIN, name), *args]


def cli(*args, **kwargs):
    return subprocess.run(program('tarnvale-cli', *args), env=ENV, capture_output=True, text=True, **kwargs)


def start_cli(*args, **kwargs):
    return subprocess.Popen(program('tarnvale-cli', *args), env=ENV, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, **kwargs)


def with_limits(file_size=None, address_space=None):
    """A preexec_fn that sets the child's resource limits."""
    def apply():
        if file_size is not None:
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_size, file_size))
            # Python ignores SIGXFSZ and a child would inherit that: the
            # program must ignore it itself.
            signal.signal(signal.SIGXFSZ, signal.SIG_DFL)
        if address_space is not None:
            resource.setrlimit(resource.RLIMIT_AS, (address_space, address_space))
    return apply


def as_nobody(then=None):
    """A preexec_fn that drops root's rights (to "nobody"), then runs `then`."""
    def apply():
        os.setgroups([])
        os.setgid(65534)
        os.setuid(65534)
        if then:
            then()
    return apply


def temporaries(folder):
    return [name for name in os.listdir(folder) if name.startswith(TEMPORARY_PREFIX)]


def read_bytes(path):
    with open(path, 'rb') as f:
        return f.read()


def write_bytes(path, data):
    with open(path, 'wb') as f:
        f.write(data)


# --- Quote text files and the records they must give -------------------------

def code_of(index):
    return 'SH%06d' % (600000 + index)


def quote_file(path, codes, days, first_value):
    """Writes a daily-pattern quote file (one line per code and day, the
    codes of a day one after another, so that every line goes to another
    record file) and gives the records each code's file must get, in order.
    Values are whole numbers below 2^24, exact in single precision."""
    expected = {code_of(c): [] for c in range(codes)}
    lines = []
    value = first_value
    for day in range(days):
        date = EPOCH + datetime.timedelta(days=10000 + day)
        seconds = (date - EPOCH).days * 86400
        for c in range(codes):
            lines.append('%s\t%s\t%d\r\n' % (code_of(c), date.strftime(DATE_FORMAT), value))
            expected[code_of(c)].append(struct.pack('<if', seconds, value))
            value += 1
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', newline='') as f:
        f.writelines(lines)
    return expected


def records_of(path):
    """The whole 8-byte records of a record file, and the bytes after them."""
    data = read_bytes(path)
    return [data[i:i + 8] for i in range(0, len(data) - len(data) % 8, 8)], data[len(data) - len(data) % 8:]


class Case(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix='tarnvale-faults-')
        self.addCleanup(shutil.rmtree, self.work, True)

    def path(self, *parts):
        return os.path.join(self.work, *parts)

    def assert_whole_prefixes(self, folder, expected):
        """Every record file in `folder` holds whole records, the first ones
        its code was given, in order."""
        for name in os.listdir(folder):
            self.assertTrue(name.endswith('.adt'), name)
            records, rest = records_of(os.path.join(folder, name))
            self.assertEqual(rest, b'', name + ' ends inside a record')
            code = name[:-4]
            self.assertEqual(records, expected[code][:len(records)], name)


# --- Small disks --------------------------------------------------------------

class SmallDisk:
    """A folder on a disk of `size` bytes: a tmpfs where the suite may mount
    one, else a plain folder whose writers get a file-size limit of
    `file_limit` bytes (limit()). grow() makes room again."""

    def __init__(self, folder, size, file_limit):
        self.folder = folder
        self.size = size
        self.file_limit = file_limit
        os.makedirs(folder)
        self.mounted = os.geteuid() == 0 and subprocess.run(
            ['mount', '-t', 'tmpfs', '-o', 'size=%d' % size, 'tmpfs', folder],
            capture_output=True).returncode == 0

    def limit(self):
        return None if self.mounted else with_limits(file_size=self.file_limit)

    def fill(self, leave):
        """Leaves about `leave` bytes free (tmpfs only: a size limit is per file)."""
        if not self.mounted:
            return
        filler = os.path.join(self.folder, 'filler')
        with open(filler, 'wb', buffering=0) as f:
            try:
                while True:
                    f.write(b'\0' * 4096)
            except OSError:
                pass
        os.truncate(filler, max(0, os.path.getsize(filler) - leave))

    def grow(self):
        if self.mounted:
            subprocess.run(['mount', '-o', 'remount,size=%d' % (self.size * 64), self.folder], check=True)

    def close(self):
        if self.mounted:
            subprocess.run(['umount', self.folder], check=True)


# --- The cases ----------------------------------------------------------------

class ConcurrentImports(Case):
    def test_every_record_is_present_and_whole(self):
        # Four imports of files of one name (one data-name folder), started
        # together into a folder where nothing exists yet: the folder is made
        # by whichever comes first, and every record of every file is there.
        for round_ in range(3):
            folder = self.path('cd%d' % round_)
            os.makedirs(folder)
            expected = {}
            inputs = []
            for p in range(4):
                inputs.append(self.path('in%d' % round_, str(p), 'PE.txt'))
                for code, records in quote_file(inputs[-1], 200, 60, 1 + p * 100000).items():
                    expected.setdefault(code, []).extend(records)
            runs = [start_cli('import', '--quiet', '--folder', folder, entry) for entry in inputs]
            for run in runs:
                out, err = run.communicate(timeout=120)
                self.assertEqual((run.returncode, err), (0, ''))
            names = sorted(os.listdir(os.path.join(folder, 'PE')))
            self.assertEqual(names, sorted(code + '.adt' for code in expected))
            for code, records in expected.items():
                found, rest = records_of(os.path.join(folder, 'PE', code + '.adt'))
                self.assertEqual(rest, b'')
                self.assertEqual(sorted(found), sorted(records), code)


class KilledRuns(Case):
    """kill -9 at random moments, again and again."""

    def test_an_import_leaves_whole_records(self):
        entry = self.path('in', 'PE.txt')
        expected = quote_file(entry, 200, 300, 1)
        rng = random.Random(12)
        for i in range(8):
            folder = self.path('cd%d' % i)
            os.makedirs(folder)
            run = start_cli('import', '--folder', folder, entry)
            time.sleep(rng.uniform(0.0, 0.4))
            run.kill()
            run.communicate()
            if os.path.isdir(os.path.join(folder, 'PE')):
                self.assert_whole_prefixes(os.path.join(folder, 'PE'), expected)

    def test_a_conversion_leaves_the_old_or_the_new_output(self):
        workbook = os.path.join(DATA, 'Large.xls')
        out = self.path('out')
        os.makedirs(out)
        maps = [arg for i in range(1, 9) for arg in ('--map', 'V%02d<->N%d' % (i, i))]
        convert = ['convert', workbook, 'Large$', '--code-column', 'Code', '--date', '01/05/2024',
                   '--out', out] + maps
        # The old output in another row order than the new one.
        self.assertEqual(cli(*convert, '--sort', 'V01').returncode, 0)
        folder = os.path.join(out, '01-05-2024')
        old = {name: read_bytes(os.path.join(folder, name)) for name in os.listdir(folder)}
        self.assertEqual(cli(*convert).returncode, 0)
        new = {name: read_bytes(os.path.join(folder, name)) for name in os.listdir(folder)}
        self.assertNotEqual(old, new)
        started = time.monotonic()
        cli(*convert)
        duration = time.monotonic() - started
        rng = random.Random(23)
        for _ in range(20):
            for name, data in old.items():
                write_bytes(os.path.join(folder, name), data)
            run = start_cli(*convert)
            time.sleep(rng.uniform(0.0, duration * 1.2))
            run.kill()
            run.communicate()
            for name in old:
                self.assertIn(read_bytes(os.path.join(folder, name)), (old[name], new[name]), name)
            # Nothing that grows with every kill: at most the one temporary
            # of a kill between naming it and renaming it, per file.
            self.assertLessEqual(len(temporaries(folder)), len(old))
        self.assertEqual(cli(*convert).returncode, 0)
        self.assertEqual(temporaries(folder), [])

    def test_a_post_leaves_the_old_or_the_new_value(self):
        workbook = self.path('Quotes.xls')
        shutil.copy(os.path.join(DATA, 'Quotes.xls'), workbook)
        started = time.monotonic()
        self.assertEqual(subprocess.run(program('fault_post', workbook, 'Sheet1$', '0', 'Close', '1')).returncode,
                         0)
        duration = time.monotonic() - started
        value = '1'
        rng = random.Random(34)
        for i in range(2, 22):
            run = subprocess.Popen(program('fault_post', workbook, 'Sheet1$', '0', 'Close', str(i)),
                                   stderr=subprocess.PIPE)
            time.sleep(rng.uniform(0.0, duration * 1.2))
            run.kill()
            run.communicate()
            shown = cli('show', workbook, 'Sheet1$')
            self.assertEqual(shown.returncode, 0, shown.stderr)
            close = shown.stdout.splitlines()[1].split('\t')[1]
            self.assertIn(close, (value, str(i)))
            value = close
            self.assertLessEqual(len(temporaries(self.work)), 1)
        self.assertEqual(subprocess.run(program('fault_post', workbook, 'Sheet1$', '0', 'Close', '99')).returncode,
                         0)
        self.assertEqual(temporaries(self.work), [])


class ConcurrentPosts(Case):
    def test_both_edits_are_kept_or_one_is_refused(self):
        pristine = read_bytes(os.path.join(DATA, 'Quotes.xls'))
        workbook = self.path('Quotes.xls')
        for _ in range(6):
            write_bytes(workbook, pristine)
            # Both open the workbook and put their row in edit before either posts.
            edits = [('0', 'Close', '77'), ('1', 'Vol', '88')]
            posts = [subprocess.Popen(program('fault_post', workbook, 'Sheet1$', *edit, '--wait'),
                                      stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                      text=True) for edit in edits]
            for post in posts:
                self.assertEqual(post.stdout.readline(), 'ready\n')
            for post in posts:
                post.stdin.write('go\n')
                post.stdin.flush()
            results = []
            for post in posts:
                _, err = post.communicate(timeout=60)
                results.append((post.returncode, err))
            rows = [line.split('\t') for line in cli('show', workbook, 'Sheet1$').stdout.splitlines()]
            present = [rows[1][1] == '77', rows[2][2] == '88']
            for (code, err), kept in zip(results, present):
                if code == 0:
                    self.assertTrue(kept)
                else:
                    self.assertFalse(kept)
                    self.assertIn('was changed by another program after it was opened', err)
            self.assertIn(0, [code for code, _ in results])
            self.assertEqual(temporaries(self.work), [])


class FullDisk(Case):
    def small_disk(self, size, file_limit):
        disk = SmallDisk(self.path('disk'), size, file_limit)
        self.addCleanup(disk.close)
        return disk

    def test_an_import_keeps_the_records_written_before(self):
        # 20 files of 8000 bytes: more than 16 pages, and more than 4100 bytes
        # (a limit that cuts a record short).
        disk = self.small_disk(64 * 1024, 4100)
        folder = disk.folder
        entry = self.path('in', 'PE.txt')
        expected = quote_file(entry, 20, 1000, 1)
        run = cli('import', '--quiet', '--folder', folder, entry, preexec_fn=disk.limit())
        self.assertEqual(run.returncode, 1)
        # Where it stopped, the system's words and the tool's message.
        self.assertRegex(run.stderr, r'^tarnvale-cli: import: %s:\d+: cannot append to %s/PE/SH\d+\.adt: '
                         r'(No space left on device \(I/O error 112\)|Disk full|'
                         r'File too large \(I/O error 223\))\n$' % (re.escape(entry), re.escape(folder)))
        self.assertEqual(run.stdout, '')
        before = {}
        for name in os.listdir(os.path.join(folder, 'PE')):
            records, rest = records_of(os.path.join(folder, 'PE', name))
            self.assertEqual(records, expected[name[:-4]][:len(records)], name)
            # Only a size limit can cut a record short (a tmpfs takes a record
            # that lies within one page whole, or not at all).
            if disk.mounted:
                self.assertEqual(rest, b'')
            before[name] = records
        # With room again, the next import goes on behind the whole records,
        # over a record cut short.
        disk.grow()
        more = quote_file(self.path('more', 'PE.txt'), 20, 2, 5000000)
        self.assertEqual(cli('import', '--folder', folder, self.path('more', 'PE.txt')).returncode, 0)
        for name, records in before.items():
            after, rest = records_of(os.path.join(folder, 'PE', name))
            self.assertEqual((after, rest), (records + more[name[:-4]], b''), name)

    def test_a_conversion_over_an_existing_output_keeps_it(self):
        disk = self.small_disk(512 * 1024, 64 * 1024)
        convert = ['convert', os.path.join(DATA, 'Large.xls'), 'Large$', '--code-column', 'Code', '--date',
                   '01/05/2024', '--out', disk.folder, '--map', 'V01<->A']
        self.assertEqual(cli(*convert, '--sort', 'V01').returncode, 0)
        output = os.path.join(disk.folder, '01-05-2024', 'A.txt')
        old = read_bytes(output)
        disk.fill(leave=16 * 1024)
        run = cli(*convert, preexec_fn=disk.limit())
        self.assertEqual((run.returncode, run.stderr), (1, 'tarnvale-cli: convert: cannot write %s: Stream write '
                                                           'error\n' % output))
        self.assertEqual(read_bytes(output), old)
        self.assertEqual(temporaries(os.path.dirname(output)), [])

    def test_a_conversion_in_place_keeps_the_old_output(self):
        # A date folder that takes no new file but an output file that may be
        # written: the file is written in place, once the room for the longer
        # new output is there. As root the run goes as "nobody", for whom the
        # folder is closed.
        disk = self.small_disk(512 * 1024, 145 * 1024)
        convert = ['convert', os.path.join(DATA, 'Large.xls'), 'Large$', '--code-column', 'Code', '--date',
                   '01/05/2024', '--out', disk.folder, '--map']
        self.assertEqual(cli(*convert, 'V01<->A').returncode, 0)
        folder = os.path.join(disk.folder, '01-05-2024')
        output = os.path.join(folder, 'A.txt')
        old = read_bytes(output)
        os.chmod(output, 0o666)
        os.chmod(folder, 0o555)
        self.addCleanup(os.chmod, folder, 0o755)
        limit = disk.limit()
        if os.geteuid() == 0:
            os.chmod(self.work, 0o755)
            limit = as_nobody(limit)
            if cli('--help', preexec_fn=limit).returncode != 0:
                self.skipTest('"nobody" cannot run the program from here')
        disk.fill(leave=4 * 1024)
        run = cli(*convert, 'V05<->A', preexec_fn=limit)  # about 11 KB longer
        self.assertEqual((run.returncode, run.stderr), (1, 'tarnvale-cli: convert: cannot write %s: Stream write '
                                                           'error\n' % output))
        self.assertEqual(read_bytes(output), old)

    def test_a_post_keeps_the_workbook(self):
        disk = self.small_disk(256 * 1024, 2048)
        workbook = os.path.join(disk.folder, 'Quotes.xls')
        shutil.copy(os.path.join(DATA, 'Quotes.xls'), workbook)
        old = read_bytes(workbook)
        disk.fill(leave=0)
        run = subprocess.run(program('fault_post', workbook, 'Sheet1$', '0', 'Close', '77'),
                             capture_output=True, text=True, preexec_fn=disk.limit())
        self.assertEqual(run.returncode, 1)
        self.assertIn('Cannot write the posted row into the workbook', run.stderr)
        self.assertEqual(read_bytes(workbook), old)
        self.assertEqual(temporaries(disk.folder), [])


class FileSizeLimit(Case):
    def test_ends_the_import_with_its_error_and_keeps_the_records(self):
        # Not killed by SIGXFSZ: a write at the limit fails (EFBIG, I/O error
        # 223), one across it comes up short ("Disk full", 101) and leaves an
        # incomplete record, which the next import overwrites.
        folder = self.path('cd')
        os.makedirs(folder)
        entry = self.path('in', 'PE.txt')
        expected = quote_file(entry, 3, 400, 1)[code_of(0)]
        record_file = os.path.join(folder, 'PE', code_of(0) + '.adt')
        # The first run stops at the 101st record of the first code (line
        # 301); the second at once, on a file at the limit already.
        where = 'tarnvale-cli: import: %s:%%d: cannot append to %s: ' % (entry, record_file)
        for limit, error, rest in ((800, where % 301 + 'File too large (I/O error 223)\n', 0),
                                   (804, where % 1 + 'Disk full\n', 4)):
            run = cli('import', '--quiet', '--folder', folder, entry, preexec_fn=with_limits(file_size=limit))
            self.assertEqual((run.returncode, run.stderr), (1, error))
            records, left = records_of(record_file)
            self.assertEqual((records, len(left)), (expected[:100], rest))
        self.assertEqual(cli('import', '--folder', folder, entry).returncode, 0)
        self.assertEqual(records_of(record_file), (expected[:100] + expected, b''))


class EndlessInput(Case):
    LIMIT = 64 * 1024 * 1024

    def setUp(self):
        super().setUp()
        if SANITIZED:
            self.skipTest('sanitizers reserve more address space than the limit')
        os.makedirs(self.path('cd'))

    def test_a_gigabyte_line_is_skipped_in_bounded_memory(self):
        entry = self.path('PE.txt')
        with open(entry, 'wb') as f:
            f.truncate(1 << 30)  # sparse: a line of 1 GB of NUL bytes
            f.seek(1 << 30)
            f.write(b'\nSH600000\t01-15-2008\t12.5\r\n')
        run = cli('import', '--quiet', '--folder', self.path('cd'), entry,
                  preexec_fn=with_limits(address_space=self.LIMIT))
        self.assertEqual((run.returncode, run.stderr), (0, ''))
        self.assertEqual(read_bytes(self.path('cd', 'PE', 'SH600000.adt')),
                         bytes.fromhex('80F78B4700004841'))

    def test_an_input_that_never_ends_holds_no_more_memory(self):
        entry = self.path('zero.txt')
        os.symlink('/dev/zero', entry)
        run = start_cli('import', '--folder', self.path('cd'), entry,
                        preexec_fn=with_limits(address_space=self.LIMIT))
        try:
            time.sleep(3)
            self.assertIsNone(run.poll(), run.stderr.read() if run.poll() is not None else '')
            with open('/proc/%d/status' % run.pid) as status:
                peak = [line for line in status if line.startswith('VmHWM:')][0]
            self.assertLess(int(peak.split()[1]) * 1024, self.LIMIT)
        finally:
            run.kill()
            run.communicate()


def main():
    global BIN, DATA, SANITIZED, WINE, DATE_FORMAT
    parser = argparse.ArgumentParser()
    parser.add_argument('--bin', required=True)
    parser.add_argument('--data', required=True)
    parser.add_argument('--sanitized', action='store_true')
    parser.add_argument('--wine')
    args, rest = parser.parse_known_args()
    BIN, DATA, SANITIZED = os.path.abspath(args.bin), os.path.abspath(args.data), args.sanitized
    if args.wine:
        WINE, DATE_FORMAT = args.wine, '%Y-%m-%d'
    unittest.main(argv=[sys.argv[0], '-v'] + rest)


if __name__ == '__main__':
    main()
