#!/usr/bin/env bash
# Runs one transcript case: PROGRAM CASE_DIR.
#
# CASE_DIR/input     standard input (fed from the file, or through a pipe when
#                    CASE_DIR/pipe exists)
# CASE_DIR/stdout    expected standard output
# CASE_DIR/before/   files placed in the working directory first (optional)
# CASE_DIR/after/    every file expected in the working directory at the end
#
# With UPDATE_GOLDENS=1 the golden stdout and after/ are rewritten instead.
set -u
program=$1
case_dir=$(cd "$2" && pwd) || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/dir"
if [ -d "$case_dir/before" ]; then
  cp -R "$case_dir/before/." "$work/dir/"
fi

cd "$work/dir" || exit 1
if [ -e "$case_dir/pipe" ]; then
  cat "$case_dir/input" | timeout 30 "$program" >"$work/stdout" 2>"$work/stderr"
else
  timeout 30 "$program" <"$case_dir/input" >"$work/stdout" 2>"$work/stderr"
fi
status=$?
cd "$work" || exit 1

if [ "${UPDATE_GOLDENS:-}" = 1 ]; then
  cp "$work/stdout" "$case_dir/stdout"
  rm -rf "$case_dir/after"
  mkdir -p "$case_dir/after"
  cp -R "$work/dir/." "$case_dir/after/"
  echo "updated $case_dir"
  exit 0
fi

failed=0
if [ "$status" -ne 0 ]; then
  echo "exit status $status, expected 0"
  failed=1
fi
if [ -s "$work/stderr" ]; then
  echo "unexpected standard error:"
  cat "$work/stderr"
  failed=1
fi
if ! cmp -s "$work/stdout" "$case_dir/stdout"; then
  echo "standard output differs from $case_dir/stdout:"
  diff -a "$case_dir/stdout" "$work/stdout" | head -n 40
  failed=1
fi
mkdir -p "$work/expected"
if [ -d "$case_dir/after" ]; then
  cp -R "$case_dir/after/." "$work/expected/"
fi
if ! diff -r -a "$work/expected" "$work/dir" >"$work/files.diff"; then
  echo "files left behind differ from $case_dir/after:"
  head -n 40 "$work/files.diff"
  failed=1
fi
exit $failed
