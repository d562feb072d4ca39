#!/usr/bin/env bash
# PROGRAM: restarts through a pipe whose writer stays open. Every line read
# ahead reaches the new copy, and once the last copy has ended nothing is
# left reading the pipe: a restart leaves no process behind.
set -u
program=$1
work=$(mktemp -d)
trap 'exec 3>&-; rm -rf "$work"' EXIT
cd "$work" || exit 1
mkfifo input
timeout 20 "$program" <input >stdout 2>stderr &
pid=$!
exec 3>input
printf 'l\nl\nl\n#\nx\n' >&3
wait "$pid"
status=$?
failed=0
if [ "$status" -ne 0 ]; then
  echo "exit status $status, expected 0"
  failed=1
fi
if [ "$(grep -c '^riavvia = l$' stdout)" -ne 1 ]; then
  echo "the command list typed after the restarts was not shown once"
  failed=1
fi
if [ -s stderr ]; then
  echo "standard error says:"
  head -c 2000 stderr
  failed=1
fi
# With no reader left, a write to the pipe fails at once.
if (trap '' PIPE; printf 'x\n' >&3) 2>/dev/null; then
  echo "something still reads the program's input after it ended"
  failed=1
fi
exit "$failed"
