#!/usr/bin/env bash
# PROGRAM: a huge command line and a huge expression, run under an address
# space limit far below what holding them over and over would take. The line
# must still reach the history whole and the program must end normally.
set -u
program=$1
limit_kb=120000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# Sanitizer runtimes reserve more address space than any limit worth setting.
if ! (ulimit -v "$limit_kb" && "$program" --version >/dev/null 2>&1); then
  echo "the program cannot start under a memory limit here"
  exit 77
fi

failed=0
run_limited() {
  (ulimit -v "$limit_kb" && timeout 120 "$program" >/dev/null 2>"$work/stderr")
}

# 64 MB on one command line.
{ head -c 67108864 /dev/zero | tr '\0' 'a'; printf '\nx\n'; } >"$work/line"
if ! run_limited <"$work/line"; then
  echo "a 64 MB command line did not run under a ${limit_kb} KB limit"
  failed=1
fi
size=$(wc -c <function_history.txt 2>/dev/null || echo 0)
if [ "$size" -ne $((67108864 + 3)) ]; then
  echo "the history holds $size bytes, expected the whole line and x"
  failed=1
fi

# 20 MB of numbers side by side: "1a1a1a...".
rm -f function_history.txt
{ printf 'e\n2\n'; head -c 10485760 /dev/zero | tr '\0' 'a' | sed 's/a/1a/g'; printf '\nx\n'; } \
  >"$work/expression"
if ! run_limited <"$work/expression"; then
  echo "a 20 MB expression did not evaluate under a ${limit_kb} KB limit"
  failed=1
fi
exit "$failed"
