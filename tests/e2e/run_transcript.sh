#!/usr/bin/env bash
# Runs one transcript case: PROGRAM CASE_DIR [PTY_RUN].
#
# CASE_DIR/input     standard input (fed from the file, or through a pipe when
#                    CASE_DIR/pipe exists)
# CASE_DIR/stdout    expected standard output
# CASE_DIR/before/   files placed in the working directory first (optional)
# CASE_DIR/after/    every file expected in the working directory at the end
# CASE_DIR/stderr    expected standard error (optional; none by default)
# CASE_DIR/status    expected exit status (optional; 0 by default)
# CASE_DIR/env       NAME=VALUE lines set for the program (optional)
# CASE_DIR/output    "full": standard output is /dev/full (optional)
# CASE_DIR/terminal  run on a pseudo-terminal through PTY_RUN; the file may
#                    name a signal (INT, TERM, HUP) sent at the first prompt
#
# The program runs with NO_COLOR unset and TERM=xterm unless CASE_DIR/env
# says otherwise, and may write at most about 16 MB to any file: a runaway
# case fails instead of filling the disk.
#
# With UPDATE_GOLDENS=1 the golden stdout, stderr and after/ are rewritten.
set -u
program=$1
case_dir=$(cd "$2" && pwd) || exit 1
pty_run=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/dir"
if [ -d "$case_dir/before" ]; then
  cp -R "$case_dir/before/." "$work/dir/"
fi

environment=(-u NO_COLOR TERM=xterm)
if [ -f "$case_dir/env" ]; then
  while IFS= read -r assignment; do
    [ -n "$assignment" ] && environment+=("$assignment")
  done <"$case_dir/env"
fi
command=(env "${environment[@]}" timeout 30 "$program")
if [ -e "$case_dir/terminal" ]; then
  if [ -z "$pty_run" ]; then
    echo "no pseudo-terminal runner given"
    exit 1
  fi
  command=(timeout 30 "$pty_run" $(cat "$case_dir/terminal") -- /usr/bin/env "${environment[@]}"
           "$program")
fi
output=$work/stdout
if [ "$(cat "$case_dir/output" 2>/dev/null)" = full ]; then
  output=/dev/full
  : >"$work/stdout"
fi

cd "$work/dir" || exit 1
(
  ulimit -f 32768
  if [ -e "$case_dir/pipe" ]; then
    cat "$case_dir/input" | "${command[@]}" >"$output" 2>"$work/stderr"
  else
    "${command[@]}" <"$case_dir/input" >"$output" 2>"$work/stderr"
  fi
)
status=$?
cd "$work" || exit 1

if [ "${UPDATE_GOLDENS:-}" = 1 ]; then
  cp "$work/stdout" "$case_dir/stdout"
  if [ -s "$work/stderr" ] || [ -e "$case_dir/stderr" ]; then
    cp "$work/stderr" "$case_dir/stderr"
  fi
  rm -rf "$case_dir/after"
  mkdir -p "$case_dir/after"
  cp -R "$work/dir/." "$case_dir/after/"
  echo "updated $case_dir (exit status $status)"
  exit 0
fi

failed=0
expected_status=$(cat "$case_dir/status" 2>/dev/null || echo 0)
if [ "$status" -ne "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  failed=1
fi
if [ -e "$case_dir/stderr" ]; then
  if ! cmp -s "$work/stderr" "$case_dir/stderr"; then
    echo "standard error differs from $case_dir/stderr:"
    diff -a "$case_dir/stderr" "$work/stderr" | head -n 20
    failed=1
  fi
elif [ -s "$work/stderr" ]; then
  echo "unexpected standard error:"
  head -c 2000 "$work/stderr"
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
