# Sourced by the scripts that drive the program at a terminal drawn in a tmux
# pane: a server of their own, the session "kalvex", and waits that give up
# after $tries tenths of a second (sooner once the program has ended).
if ! command -v tmux >/dev/null; then
  echo "tmux not installed: skipped"
  exit 77
fi
work=$(mktemp -d)
session=kalvex
terminal() { tmux -S "$work/tmux" -f /dev/null "$@"; }
trap 'terminal kill-server 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/dir"
screen() { terminal capture-pane -p -t "$session" "$@"; }
keys() { terminal send-keys -t "$session" "$@"; }
pane() { terminal display-message -p -t "$session" "#{$1}"; }
fail() {
  echo "FAILED: $*"
  echo "--- screen ---"
  screen
  exit 1
}

# start COLUMNS COMMAND: COMMAND in a fresh window; its exit status goes to
# $work/status.
start() {
  rm -f "$work/status"
  terminal kill-session -t "$session" 2>/dev/null
  terminal new-session -d -s "$session" -x "$1" -y 30 -c "$work/dir" \
    "$2; echo \$? >'$work/status'; exec sleep 120"
}

wait_for() {
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    [ -e "$work/status" ] && ((i < tries - 5)) && i=$((tries - 5))
    sleep 0.1
  done
  return 1
}

cursor_line() {
  local row
  row=$(pane cursor_y)
  screen -S "$row" -E "$row" | sed 's/ *$//'
}
# With $editing set, the line editor must also hold the terminal, so keys
# sent next are the editor's to read.
line_is() {
  line=$(cursor_line)
  [ "$line" = "$1" ] && { [ -z "${editing:-}" ] || stty -F "$(pane pane_tty)" -a | grep -q -- -icanon; }
}
expect_line() { wait_for line_is "$1" || fail "the cursor's line reads '$line', expected '$1'"; }
shows() { screen | grep -qF -- "$1"; }
expect_screen() { wait_for shows "$1" || fail "the screen never showed '$1'"; }
expect_status() {
  wait_for test -s "$work/status" || fail "the program did not end"
  [ "$(cat "$work/status")" = "$1" ] || fail "exit status $(cat "$work/status"), expected $1"
}
