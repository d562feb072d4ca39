#!/usr/bin/env bash
# CMAKE SOURCE_DIR: configuring as if neither GoogleTest nor Google Benchmark
# were installed must succeed, say that tests and benchmarks are skipped, and
# still offer the program to build.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/configure.log
"$1" -S "$2" -B "$work" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$log" 2>&1 || { tail -n 20 "$log"; exit 1; }
grep -q "GoogleTest not found: tests are not built" "$log" &&
  grep -q "Google Benchmark not found: benchmarks are not built" "$log" &&
  grep -qs "kalvex-terminal" "$work/CMakeFiles/TargetDirectories.txt" ||
  { echo "missing a skip message or the program's target:"; tail -n 20 "$log"; exit 1; }
