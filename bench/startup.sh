#!/usr/bin/env bash
# Start-up time of the program against /bin/true, measured side by side:
# a piped session that only types `x` (start, banner, prompt, exit), run in
# alternation with /bin/true fed the same input, many times; the medians and
# their ratio are printed. Exits with status 1 when the ratio is above the
# limit (1.5 unless KALVEX_STARTUP_LIMIT says otherwise).
#
#   bench/startup.sh [PROGRAM [ROUNDS]]     # default build/kalvex-terminal, 2000
#
# Needs a C++ compiler (c++, or $CXX) for the small timer in startup_timer.cpp:
# a shell loop would add its own fork to both sides and hide the difference.
set -euo pipefail
bench_dir=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$bench_dir/../build/kalvex-terminal}")
rounds=${2:-2000}
limit=${KALVEX_STARTUP_LIMIT:-1.5}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${CXX:-c++}" -std=c++20 -O2 -o "$work/startup_timer" "$bench_dir/startup_timer.cpp"

# The program writes its history in the working directory: an empty one of
# its own, so that no theme file or old history changes what is measured.
mkdir "$work/run"
cd "$work/run"
report=$("$work/startup_timer" "$rounds" $'x\n' "$program" /bin/true)
echo "$report"
ratio=$(sed -n 's/^ratio //p' <<<"$report")
if awk -v ratio="$ratio" -v limit="$limit" 'BEGIN { exit !(ratio > limit) }'; then
  echo "start-up takes $ratio times as long as /bin/true, more than $limit"
  exit 1
fi
