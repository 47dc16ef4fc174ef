#!/usr/bin/env python3
"""Checks that no POSIX header or call is used outside src/common/platform.

The system's own interfaces (files, clock, locale, terminal) are reached
through src/common, whose platform/ folder holds the POSIX and the Win32
implementations; the Qt window code (src/app) uses Qt's. Any
other file of src/ that names a POSIX header, a POSIX call or a platform
#if is reported. Comments and string literals are not looked at.

Usage: check-platform-calls.py [--root DIR]
       check-platform-calls.py --self-test
Exit status 0 when nothing is found, 1 with one line per finding."""
import argparse
import os
import re
import sys
import tempfile

# Folders of src/ where platform code is at home.
ALLOWED = ('src/common/platform/', 'src/app/')

HEADERS = re.compile(
    r'#\s*include\s*<(unistd\.h|fcntl\.h|dirent\.h|langinfo\.h|locale\.h|iconv\.h|pwd\.h|grp\.h|'
    r'termios\.h|pthread\.h|dlfcn\.h|poll\.h|spawn\.h|libgen\.h|strings\.h|(?:sys|netinet|arpa)/[^>]+|'
    r'windows\.h|io\.h|direct\.h)>')
# Calls whose names say what they are.
CALLS = re.compile(
    r'(?<![\w.>])(?:::)?(pread|pwrite|lseek|lseek64|fsync|fdatasync|fstat|lstat|fchmod|fchown|mkstemp|'
    r'mkdtemp|realpath|localtime_r|gmtime_r|strtold_l|strtod_l|newlocale|freelocale|uselocale|'
    r'nl_langinfo|nl_langinfo_l|isatty|getpid|getcwd|opendir|readdir|closedir|iconv_open|fork|'
    r'waitpid|setuid|seteuid|geteuid|umask)\s*\(')
# Calls whose names are also ordinary words (open, read, stat ...): only
# the global ones, written ::open(, are the system's.
GLOBAL_CALLS = re.compile(
    r'(?<![\w])::(open|close|read|write|stat|access|unlink|rename|chmod|chown|mkdir|rmdir|chdir|'
    r'link|symlink|truncate|ftruncate|dup|dup2|pipe|kill|sleep|usleep)\s*\(')
OTHER = re.compile(r'\bstruct\s+stat\b|\b(?:_WIN32|__linux__|__unix__|__APPLE__|_POSIX_VERSION)\b')

CODE = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)


def without_comments_and_strings(text):
    """Comments and literals blanked (line breaks kept, so that line numbers hold)."""
    def blank(match):
        token = match.group(0)
        if token.startswith('"') and token.endswith('"'):
            return '"' + re.sub(r'[^\n]', ' ', token[1:-1]) + '"'
        return re.sub(r'[^\n]', ' ', token)
    # #include <...> lines have no literals to blank and must stay readable
    return CODE.sub(blank, text)


def check(root):
    findings = []
    src = os.path.join(root, 'src')
    for folder, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, root).replace(os.sep, '/')
            if relative.startswith(ALLOWED):
                continue
            text = without_comments_and_strings(open(path, encoding='utf-8', errors='replace').read())
            for number, line in enumerate(text.splitlines(), 1):
                for pattern in (HEADERS, CALLS, GLOBAL_CALLS, OTHER):
                    match = pattern.search(line)
                    if match:
                        findings.append(f'{relative}:{number}: {match.group(0).strip()}')
                        break
    return findings


def self_test():
    """The check must find each kind of platform use and pass clean code."""
    clean = ('// lseek, not fstat: a comment may say so\n#include "common/RecordFile.h"\n'
             'void open(const std::string& path);\nint x = file.read(buffer);\n'
             'const char* text = "::open( in a string";\n')
    cases = ['#include <unistd.h>\n', '#include <sys/stat.h>\n', '    ::open(path.c_str(), 0);\n',
             'auto n = lseek(fd, 0, SEEK_END);\n', 'struct stat info {};\n', '#ifdef _WIN32\n#endif\n',
             'locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);\n']
    with tempfile.TemporaryDirectory() as root:
        os.makedirs(os.path.join(root, 'src/core'))
        os.makedirs(os.path.join(root, 'src/common/platform'))
        with open(os.path.join(root, 'src/common/platform/FilePosix.cpp'), 'w') as f:
            f.write('#include <unistd.h>\nint n = ::close(3);\n')
        path = os.path.join(root, 'src/core/Core.cpp')
        with open(path, 'w') as f:
            f.write(clean)
        if check(root):
            print(f'self-test: clean code was refused: {check(root)}', file=sys.stderr)
            return 1
        for case in cases:
            with open(path, 'w') as f:
                f.write(clean + case)
            if len(check(root)) != 1:
                print(f'self-test: not found: {case!r}', file=sys.stderr)
                return 1
    print('self-test: passed')
    return 0


def main():
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser()
    parser.add_argument('--root', default=here)
    parser.add_argument('--self-test', action='store_true')
    args = parser.parse_args()
    if args.self_test:
        return self_test()
    findings = check(args.root)
    for finding in findings:
        print(finding)
    if findings:
        print(f'{len(findings)} use(s) of the platform outside src/common/platform: '
              'go through a common/ interface (see ARCHITECTURE.md)')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
