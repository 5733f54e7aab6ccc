#!/usr/bin/env bash
# Builds every fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each in turn for the given number of seconds, one fuzzer at a time.
#
#   fuzz/run.sh [SECONDS]        (default 60; `make fuzz FUZZ_SECONDS=N` calls this)
#
# Environment: FUZZ_TARGETS="kicad eagle" runs only those targets; FUZZ_BUILD_DIR (default
# fuzz-build) and JOBS (default 2) for the build.
#
# Seed corpora: small valid inputs of every format written by write_fuzz_seeds, the example
# chip directories and, when present, the real libraries of ../shared/corpus; they are copied
# into fuzz/corpus-<target>/ (git-ignored), where the fuzzer also keeps what it finds, so runs
# add up. Crash, leak and timeout inputs land in $FUZZ_BUILD_DIR/artifacts/<target>/; the
# script fails when any target found one during this run.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/fuzz-build}
corpus_root=$root/../shared/corpus
all_targets="quarn kicad eagle altium_records altium_container pcblib schlib result_doc"
targets=${FUZZ_TARGETS:-$all_targets}

# Largest input per target: text formats stay small so that mutations stay fast; compound
# documents must hold whole real libraries (up to about 2 MiB).
max_len() {
  case $1 in
    result_doc | kicad) echo 16384 ;;
    quarn | eagle | altium_records) echo 65536 ;;
    *) echo 2621440 ;;
  esac
}

build_targets() {
  local launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  cmake --build "$build" -j "${JOBS:-2}"
}

# Copies the files matching the name patterns (case-insensitive) under a directory.
copy_matching() {
  local dir=$1 target=$2
  shift 2
  [ -d "$dir" ] || return 0
  local patterns=()
  for pattern in "$@"; do patterns+=(-iname "$pattern" -o); done
  unset 'patterns[${#patterns[@]}-1]'
  find "$dir" -type f \( "${patterns[@]}" \) -print0 |
    while IFS= read -r -d '' file; do
      cp -n "$file" "$root/fuzz/corpus-$target/$(basename "$file" | tr ' ' '_')"
    done
}

# One input per example: the symbol document, a NUL byte, the footprint document.
copy_quarn_pairs() {
  for symbol in "$root"/examples/*/*-symbol.extracted.json; do
    [ -f "$symbol" ] || continue
    local footprint=${symbol%-symbol.extracted.json}-footprint.extracted.json
    local out=$root/fuzz/corpus-quarn/example-$(basename "$(dirname "$symbol")").json
    { cat "$symbol"; printf '\0'; [ -f "$footprint" ] && cat "$footprint"; } >"$out"
  done
}

seed_corpora() {
  for target in $all_targets; do mkdir -p "$root/fuzz/corpus-$target"; done
  local libraries=()
  if [ -d "$corpus_root" ]; then
    while IFS= read -r -d '' file; do libraries+=("$file"); done < <(
      find "$corpus_root" -type f \( -iname '*.PcbLib' -o -iname '*.SchLib' \) -size -1M -print0)
  fi
  "$build/write_fuzz_seeds" "$root/fuzz" "${libraries[@]}"
  copy_quarn_pairs
  for source in "$root/examples" "$corpus_root"; do
    copy_matching "$source" kicad '*.kicad_sym' '*.kicad_mod'
    copy_matching "$source" eagle '*.lbr'
    copy_matching "$source" result_doc '*-tessan.result.json'
    copy_matching "$source" altium_container '*.PcbLib' '*.SchLib' '*.IntLib'
    copy_matching "$source" pcblib '*.PcbLib' '*.IntLib'
    copy_matching "$source" schlib '*.SchLib' '*.IntLib'
  done
}

# Runs one target; prints its final statistics line.
run_target() {
  local target=$1
  local logs=$build/logs/$target artifacts=$build/artifacts/$target
  mkdir -p "$logs" "$artifacts"
  echo "== ${target}_fuzz: ${seconds} s"
  (
    cd "$logs"
    # One worker running one job: the machine's cores are shared.
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "$build/${target}_fuzz" "$root/fuzz/corpus-$target" -jobs=1 -workers=1 \
      -max_total_time="$seconds" -max_len="$(max_len "$target")" -rss_limit_mb=2048 \
      -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/" >/dev/null 2>&1 || true
  )
  grep -E '^#[0-9]+' "$logs/fuzz-0.log" | tail -n 1 || true
  grep -E '^stat::number_of_executed_units' "$logs/fuzz-0.log" || true
}

build_targets
seed_corpora
mkdir -p "$build/artifacts"
started=$build/artifacts/.started
touch "$started"
for target in $targets; do run_target "$target"; done

found=$(find "$build/artifacts" -type f -newer "$started" 2>/dev/null | sort)
if [ -n "$found" ]; then
  echo "fuzzing found failing inputs:"
  echo "$found"
  exit 1
fi
echo "fuzzing found nothing"
