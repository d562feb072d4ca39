#!/usr/bin/env bash
# PROGRAM: endless commands whose output is read only up to its first 100
# bytes. Once the reader has gone the program must stop at its next prompt,
# silently, with a status of its own (not a timeout or a signal), and log
# little more: each command's list is about 600 bytes, and the pipe takes some
# tens of kilobytes before it is found closed.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
(
  ulimit -f 32768
  yes '#' | timeout 20 "$1" 2>stderr | head -c 100 >stdout
  echo "${PIPESTATUS[1]}" >status
)
status=$(cat status)
logged=$(wc -l <function_history.txt 2>/dev/null || echo 0)
failed=0
check() { "${@:2}" || { echo "$1"; failed=1; }; }
check "exit status $status" test "$status" -ne 0 -a "$status" -ne 124 -a "$status" -le 128
check "standard error: $(head -c 2000 stderr)" test ! -s stderr
check "the output does not start with the banner" grep -q '^Kalvex Terminal' stdout
check "$logged commands logged after the output was closed" test "$logged" -le 2000
exit $failed
