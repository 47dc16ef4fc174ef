#!/usr/bin/env bash
# Runs every libFuzzer program of a fuzz build (see fuzz/CMakeLists.txt; `make
# fuzz` builds them first) for a bounded time each, with the seeds of
# fuzz/corpus/<name> and a corpus that grows from run to run in the build.
#   FUZZ_SECONDS   seconds per target (default 20)
#   FUZZ_ONLY      run only the targets whose name contains this text
# Usage: fuzz/run.sh [fuzz build folder, default build-fuzz]
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${FUZZ_SECONDS:-20}"
out="${1:-$root/build-fuzz}"
case "$out" in /*) ;; *) out="$root/$out" ;; esac
shopt -s nullglob
programs=("$out"/bin/*Fuzz)
if [ ${#programs[@]} -eq 0 ]; then
  echo "fuzz: no programs in $out/bin (configure with -DBUILD_FUZZERS=ON and build the target fuzzers)" >&2
  exit 2
fi
mkdir -p "$out/corpus" "$out/artifacts"

status=0
for program in "${programs[@]}"; do
  name="$(basename "$program")"
  [ -n "${FUZZ_ONLY:-}" ] && [[ "$name" != *"$FUZZ_ONLY"* ]] && continue
  echo "== $name"
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds+=("$root/fuzz/corpus/$name")
  if ! "$program" -max_total_time="$seconds" -rss_limit_mb=2560 -timeout=25 \
       -artifact_prefix="$out/artifacts/$name-" -print_final_stats=1 \
       "$corpus" "${seeds[@]}" 2>"$out/$name.log"; then
    echo "fuzz: $name found a fault (see $out/$name.log and $out/artifacts)" >&2
    tail -n 40 "$out/$name.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$out/$name.log" | tr '\n' ' '
    echo
  fi
done
exit $status
