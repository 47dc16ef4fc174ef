#!/usr/bin/env bash
# The C++ sources against .clang-format, with Debian's clang-format 14 (the
# version scripts/install-deps.sh installs: other versions lay some code out
# differently). Fails and names the files that differ; with --fix rewrites
# them instead.
# Usage: scripts/format-check.sh [--fix]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
formatter=${CLANG_FORMAT:-clang-format-14}
command -v "$formatter" >/dev/null || { echo "format-check: $formatter not found (scripts/install-deps.sh)" >&2; exit 2; }

# The tracked sources in a checkout, else every source below these folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.h' 'bench/*.cpp' \
    'fuzz/*.cpp')
else
  mapfile -t files < <(find src tests bench fuzz -name '*.h' -o -name '*.cpp' | sort)
fi

if [ "${1:-}" = --fix ]; then
  "$formatter" -i --style=file "${files[@]}"
  exit 0
fi
# One run for all files; each place that differs is reported as
# "file:line:column: error: code should be clang-formatted".
if ! report=$("$formatter" --style=file --dry-run --Werror "${files[@]}" 2>&1); then
  differ=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<<"$report" | cut -d: -f1 | sort -u)
  [ -n "$differ" ] || { echo "$report" >&2; exit 2; }
  echo "$differ"
  echo "format-check: $(wc -l <<<"$differ") file(s) differ from .clang-format (make format rewrites them)" >&2
  exit 1
fi
echo "format-check: ${#files[@]} files as .clang-format lays them out"
