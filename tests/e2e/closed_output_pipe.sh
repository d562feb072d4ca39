#!/usr/bin/env bash
# PROGRAM PYTHON RUN_TRANSCRIPT: endless commands whose output is read only up to its
# first 100 bytes. Once the reader has gone the program must stop at its next
# prompt, silently, with a non-zero status, and log nothing more.
set -u
program=$1
python=$2
run_transcript=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

(
  ulimit -f 32768
  yes '#' | timeout 20 "$program" 2>"$work/stderr" | head -c 100 >"$work/stdout"
  echo "${PIPESTATUS[1]}" >"$work/status"
)
status=$(cat "$work/status")
failed=0
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ] || [ "$status" -gt 128 ]; then
  echo "exit status $status, expected a failure of its own (not 0, not a timeout or a signal)"
  failed=1
fi
if [ -s "$work/stderr" ]; then
  echo "a closed pipe should end silently, but standard error says:"
  head -c 2000 "$work/stderr"
  failed=1
fi
# The banner as the program writes it: the Windows program ends its lines
# with CR LF.
banner() {
  if [ "${KALVEX_TRANSCRIPT_SYSTEM:-}" = windows ]; then
    "$python" -S "$run_transcript" --block banner | perl -pe 's/\n/\r\n/'
  else
    "$python" -S "$run_transcript" --block banner
  fi
}
if ! banner | head -c 100 | cmp -s - "$work/stdout"; then
  echo "the first 100 bytes differ from the banner"
  failed=1
fi
# Each command logged wrote a command list of about 600 bytes; the pipe takes
# some tens of kilobytes before it is found closed.
logged=$(wc -l <function_history.txt 2>/dev/null || echo 0)
if [ "$logged" -gt 2000 ]; then
  echo "$logged commands logged after the output was closed"
  failed=1
fi
exit $failed
