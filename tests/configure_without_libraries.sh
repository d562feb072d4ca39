#!/usr/bin/env bash
# CMAKE SOURCE_DIR: configures the project as if neither GoogleTest nor Google
# Benchmark were installed; configuring must succeed, say that tests and
# benchmarks are skipped, and still offer the program to build.
set -u
cmake=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! "$cmake" -S "$source_dir" -B "$work" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$work/configure.log" 2>&1; then
  echo "configuring without the test libraries failed:"
  tail -n 20 "$work/configure.log"
  exit 1
fi
failed=0
for message in "GoogleTest not found: tests are not built" \
    "Google Benchmark not found: benchmarks are not built"; do
  if ! grep -q "$message" "$work/configure.log"; then
    echo "missing configure message: $message"
    failed=1
  fi
done
if ! grep -rqs "kalvex-terminal" "$work/CMakeFiles/TargetDirectories.txt"; then
  echo "the program is not among the targets to build"
  failed=1
fi
exit $failed
