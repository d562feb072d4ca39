#!/usr/bin/env bash
# Builds the fuzz targets (the fuzz preset: clang, libFuzzer, ASan, UBSan)
# and runs each for SECONDS on its committed seeds, one after the other.
#   fuzz/run.sh SECONDS [TARGET...]
# New inputs go to build-fuzz/corpus/<target>, so the committed seeds stay
# seeds; a finding is saved as build-fuzz/findings/<target>-crash-... (or
# -timeout-, -oom-) and makes the script fail once every target has run.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$#" -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: fuzz/run.sh SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(command_loop_fuzz expression_fuzz molar_mass_fuzz equation_scan_fuzz tax_code_fuzz
           municipality_file_fuzz file_cipher_fuzz)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

root=$(pwd)
mkdir -p build-fuzz/findings
failed=()
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  log=build-fuzz/$target.log
  # libFuzzer ends with _Exit, which leaves a target's scratch directory
  # behind; it goes into a folder of ours, removed after the run.
  scratch=$root/build-fuzz/scratch/$target
  mkdir -p "$corpus" "$scratch"
  echo "== $target: ${seconds}s"
  # The targets change the working directory while an input runs, so the
  # findings need an absolute path. A hang is any input that takes 20 s.
  if TMPDIR=$scratch ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$root/build-fuzz/findings/$target-" \
      "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    grep -E '^#[0-9]+' "$log" | tail -n 1 || true
    grep -E '^stat::number_of_executed_units' "$log" || true
  else
    echo "FINDING in $target; the end of $log:"
    tail -n 40 "$log"
    failed+=("$target")
  fi
  rm -rf "$scratch"
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
