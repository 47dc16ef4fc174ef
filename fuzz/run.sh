#!/usr/bin/env bash
# Builds every fuzz/*Fuzz.cpp as a libFuzzer program against the core sources
# (common, table, xls, xlswrite, workbook, import, convert; no Qt) with address and undefined-
# behaviour checks, then runs each one for a bounded time.
#   FUZZ_SECONDS   seconds per target (default 20)
#   FUZZ_BUILD_DIR where objects, programs, corpora and crashes go (build-fuzz)
#   FUZZ_ONLY      run only the targets whose name contains this text
#   CXX            the clang++ to use (clang++-14, else clang++)
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${FUZZ_SECONDS:-20}"
out="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
case "$out" in /*) ;; *) out="$root/$out" ;; esac
cxx="${CXX:-$(command -v clang++-14 || command -v clang++ || true)}"
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found (install clang-14 and libclang-rt-14-dev)" >&2
  exit 2
fi

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
cxxflags="-std=c++20 -O1 -g -fno-omit-frame-pointer $sanitize -I$root/src"
mkdir -p "$out/obj" "$out/bin" "$out/corpus" "$out/artifacts"

# One archive per core folder; a linker takes from it only what a target needs,
# so a target never depends on folders it does not use.
build_library() {
  local folder="$1" lib="$out/libfuzz_$1.a" objects=() failed=0
  local sources=("$root/src/$folder"/*.cpp)
  [ "$folder" = common ] && sources+=("$root/src/common/platform"/*Posix.cpp)
  for src in "${sources[@]}"; do
    [ -f "$src" ] || continue
    local obj="$out/obj/$folder-$(basename "$src" .cpp).o"
    if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$(find "$root/src" -name '*.h' -newer "$obj" -print -quit)" ]; then
      if ! $cxx $cxxflags -fsanitize=fuzzer-no-link -c "$src" -o "$obj"; then
        echo "fuzz: cannot compile $src" >&2
        failed=1
        continue
      fi
    fi
    objects+=("$obj")
  done
  rm -f "$lib"
  [ ${#objects[@]} -gt 0 ] && ar rcs "$lib" "${objects[@]}"
  return $failed
}

for folder in convert import workbook xlswrite xls table common; do
  build_library "$folder" || echo "fuzz: some $folder sources did not compile; targets that need them will not link" >&2
done
libs=()
for folder in convert import workbook xlswrite xls table common; do
  [ -f "$out/libfuzz_$folder.a" ] && libs+=("$out/libfuzz_$folder.a")
done

status=0
for target in "$root"/fuzz/*Fuzz.cpp; do
  name="$(basename "$target" .cpp)"
  [ -n "${FUZZ_ONLY:-}" ] && [[ "$name" != *"$FUZZ_ONLY"* ]] && continue
  echo "== $name"
  if ! $cxx $cxxflags -fsanitize=fuzzer "$target" "${libs[@]}" -o "$out/bin/$name"; then
    echo "fuzz: $name does not build" >&2
    status=1
    continue
  fi
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds+=("$root/fuzz/corpus/$name")
  if ! "$out/bin/$name" -max_total_time="$seconds" -rss_limit_mb=2560 -timeout=25 \
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
