#!/usr/bin/env bash
# Runs every benchmark program of a build (<build>/bin/bench_*), one after the
# other, and fails when one of them fails. Usage: bench/run.sh [build folder]
set -euo pipefail

build="${1:-build}"
shopt -s nullglob
programs=("$build"/bin/bench_*)
if [ ${#programs[@]} -eq 0 ]; then
  echo "no benchmark programs in $build/bin (build with -DBUILD_BENCHMARKS=ON)" >&2
  exit 1
fi

status=0
for program in "${programs[@]}"; do
  echo "== $(basename "$program")"
  "$program" || status=1
done
exit $status
