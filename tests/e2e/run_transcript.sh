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
# CASE_DIR/args      the program's arguments, one a line (optional; none by
#                    default)
# CASE_DIR/output    "full": standard output is /dev/full (optional)
# CASE_DIR/terminal  run on a pseudo-terminal through PTY_RUN; the file may
#                    name a signal (INT, TERM, HUP, QUIT) sent at the first prompt
#
# The program runs with NO_COLOR unset and TERM=xterm unless CASE_DIR/env
# says otherwise, and may write at most about 16 MB to any file: a runaway
# case fails instead of filling the disk.
#
# With UPDATE_GOLDENS=1 the golden stdout, stderr and after/ are rewritten.
#
# With KALVEX_TRANSCRIPT_SYSTEM=windows the program is the Windows build:
# its line ends are CR LF, so CR LF is folded to LF in standard output and
# error and, on both sides, in the files left behind; every other byte is
# compared as it stands. There
# CASE_DIR/windows-skip    gives the reason the case cannot run on Windows;
#                          the runner prints it and exits with status 77
# CASE_DIR/windows-stdout  is the expected standard output where the
# CASE_DIR/windows-stderr  Windows program rightly differs (optional), and
#                          UPDATE_GOLDENS=1 rewrites only these.
set -u
program=$1
case_dir=$(cd "$2" && pwd) || exit 1
pty_run=${3:-}
windows=0
if [ "${KALVEX_TRANSCRIPT_SYSTEM:-}" = windows ]; then
  windows=1
  if [ -e "$case_dir/windows-skip" ]; then
    echo "not run on Windows: $(cat "$case_dir/windows-skip")"
    exit 77
  fi
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CR LF to LF in each of the named files, in place.
fold_line_ends() {
  [ "$#" -gt 0 ] && perl -0777 -pi -e 's/\r\n/\n/g' "$@"
}

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
arguments=()
if [ -f "$case_dir/args" ]; then
  while IFS= read -r argument; do
    arguments+=("$argument")
  done <"$case_dir/args"
fi
command=(env "${environment[@]}" timeout 30 "$program" "${arguments[@]}")
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

expected_stdout=$case_dir/stdout
expected_stderr=$case_dir/stderr
if [ "$windows" = 1 ]; then
  fold_line_ends "$work/stdout" "$work/stderr"
  [ -e "$case_dir/windows-stdout" ] && expected_stdout=$case_dir/windows-stdout
  [ -e "$case_dir/windows-stderr" ] && expected_stderr=$case_dir/windows-stderr
  if [ "${UPDATE_GOLDENS:-}" = 1 ]; then
    for golden in stdout stderr; do
      if [ -e "$case_dir/windows-$golden" ]; then
        cp "$work/$golden" "$case_dir/windows-$golden"
        echo "updated $case_dir/windows-$golden"
      fi
    done
    exit 0
  fi
fi

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
if [ -e "$expected_stderr" ]; then
  if ! cmp -s "$work/stderr" "$expected_stderr"; then
    echo "standard error differs from $expected_stderr:"
    diff -a "$expected_stderr" "$work/stderr" | head -n 20
    failed=1
  fi
elif [ -s "$work/stderr" ]; then
  echo "unexpected standard error:"
  head -c 2000 "$work/stderr"
  failed=1
fi
if ! cmp -s "$work/stdout" "$expected_stdout"; then
  echo "standard output differs from $expected_stdout:"
  diff -a "$expected_stdout" "$work/stdout" | head -n 40
  failed=1
fi
mkdir -p "$work/expected"
if [ -d "$case_dir/after" ]; then
  cp -R "$case_dir/after/." "$work/expected/"
fi
if [ "$windows" = 1 ]; then
  find "$work/expected" "$work/dir" -type f -exec perl -0777 -pi -e 's/\r\n/\n/g' {} +
fi
if ! diff -r -a "$work/expected" "$work/dir" >"$work/files.diff"; then
  echo "files left behind differ from $case_dir/after:"
  head -n 40 "$work/files.diff"
  failed=1
fi
exit $failed
