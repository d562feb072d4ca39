#!/usr/bin/env bash
# Feeds PROGRAM every prefix of INPUT_FILE, each in a fresh directory, and
# checks that each run ends by itself, promptly, with status 0 and nothing on
# standard error.
set -u
program=$1
input=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

size=$(wc -c <"$input")
farewell=$'Ok,sto uscendo...\n\n'
failures=0
for ((length = 0; length <= size; length++)); do
  rm -rf "$work/dir"
  mkdir "$work/dir"
  head -c "$length" "$input" >"$work/input"
  # At most about 16 MB to any file: a runaway run fails instead of filling the disk.
  (cd "$work/dir" && ulimit -f 32768 &&
    timeout 10 "$program" <"$work/input" >"$work/stdout" 2>"$work/stderr")
  status=$?
  if [ "$status" -ne 0 ] || [ -s "$work/stderr" ]; then
    echo "input cut after $length bytes: exit status $status"
    head -n 20 "$work/stderr"
    failures=$((failures + 1))
  # The Windows program ends its lines with CR LF.
  elif ! tail -c 32 "$work/stdout" | tr -d '\r' | tail -c "${#farewell}" |
    cmp -s - <(printf '%s' "$farewell"); then
    echo "input cut after $length bytes: the run did not end with the farewell"
    failures=$((failures + 1))
  fi
done
echo "$((size + 1)) prefixes run, $failures failed"
[ "$failures" -eq 0 ]
