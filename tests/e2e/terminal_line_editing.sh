#!/usr/bin/env bash
# Drives PROGRAM at a real terminal through tmux, as a user types: a typo
# mended with the arrows and backspace, Home and End, answers and command
# lines recalled with the up arrow (the latter also from an earlier run), a
# prompt redrawn correctly where it wraps, the history clear emptying the
# recall list, and Ctrl-D ending the program. Then signals: SIGTERM while a
# line is edited ends the program alone (the shell that started it goes on),
# and a stop and continue at the exit pause gives the pause its mode back
# although the shell set the terminal to line mode meanwhile.
#
#   terminal_line_editing.sh PROGRAM [LINE_EDITING_BUILT]
#
# Exits 77 (skipped) without tmux or when the program was built without line
# editing. Every wait is bounded.
set -u
program=$1
built=${2:-ON}
if ! command -v tmux >/dev/null; then
  echo "tmux not installed: skipped"
  exit 77
fi
if [ "$built" != ON ]; then
  echo "built without line editing: skipped"
  exit 77
fi

work=$(mktemp -d)
socket=$work/tmux
session=kalvex
terminal() { tmux -S "$socket" -f /dev/null "$@"; }
trap 'terminal kill-server 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/dir"
# The server ends with its last session; this one outlives every run.
terminal new-session -d -s keeper "exec sleep 300"

fail() {
  echo "FAILED: $*"
  echo "--- screen ---"
  terminal capture-pane -p -t "$session"
  exit 1
}

# One run of the program in a fresh window `columns` wide; its exit status is
# written to $work/status.
start_run() {
  rm -f "$work/status"
  terminal kill-session -t "$session" 2>/dev/null
  terminal new-session -d -s "$session" -x "$1" -y 30 -c "$work/dir" \
    "env -u NO_COLOR TERM=xterm LANG=C.UTF-8 '$program'; echo \$? >'$work/status'; exec sleep 120"
}

cursor_line() {
  local row
  row=$(terminal display-message -p -t "$session" '#{cursor_y}')
  terminal capture-pane -p -t "$session" -S "$row" -E "$row" | sed 's/ *$//'
}

# Waits until the cursor's line reads $1 (trailing blanks aside) and the
# editor has the terminal, so keys sent next are the editor's to read.
expect_line() {
  local line tty
  tty=$(terminal display-message -p -t "$session" '#{pane_tty}')
  for ((i = 0; i < 100; i++)); do
    line=$(cursor_line)
    if [ "$line" = "$1" ] && stty -F "$tty" -a | grep -q -- '-icanon'; then
      return 0
    fi
    sleep 0.1
  done
  fail "the cursor's line reads '$line', expected '$1' while editing"
}

expect_screen() {
  for ((i = 0; i < 100; i++)); do
    terminal capture-pane -p -t "$session" | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  fail "the screen never showed '$1'"
}

expect_status() {
  for ((i = 0; i < 100; i++)); do
    if [ -s "$work/status" ]; then
      [ "$(cat "$work/status")" = "$1" ] || fail "exit status $(cat "$work/status"), expected $1"
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end"
}

keys() { terminal send-keys -t "$session" "$@"; }

# First run: a typo mended, an answer recalled and edited at both ends, the
# command line recalled apart from the answers.
start_run 80
expect_line "Path:"
keys a Enter
expect_line "Inserisci quanti valori vuoi utilizzare:"
keys 2 Enter
expect_line "Valore:"
keys 1 5 3 Left BSpace
expect_line "Valore: 13"
keys Enter
expect_line "Valore:"
keys Up
expect_line "Valore: 13"
keys Home 2 C-e 0
expect_line "Valore: 2130"
keys Enter
expect_screen "Risultato: 2143"
expect_line "Path:"
keys Up
expect_line "Path: a"
keys C-u x Enter
expect_screen "Premere un tasto per continuare"
keys q
expect_status 0
[ "$(cat "$work/dir/function_history.txt")" = $'a\nx' ] || fail "history: $(cat "$work/dir/function_history.txt")"

# Second run, in a narrow window: the earlier run's commands come back, also
# after a restart, a wrapped prompt is redrawn in place, @ c forgets the
# commands, Ctrl-D ends.
start_run 30
expect_line "Path:"
keys Up
expect_line "Path: x"
keys C-u l
expect_line "Path: l"
keys Enter
expect_line "Path:"
keys Up
expect_line "Path: l"
keys Up Up
expect_line "Path: a"
keys Enter
expect_line "tilizzare:"
keys 1 Home
expect_line "tilizzare: 1"
[ "$(terminal capture-pane -p -t "$session" | grep -A1 -x "Inserisci quanti valori vuoi u")" = \
  $'Inserisci quanti valori vuoi u\ntilizzare: 1' ] || fail "the wrapped prompt was not redrawn in place"
keys Enter
expect_line "Valore:"
keys 7 Enter
expect_screen "Risultato: 7"
expect_line "Path:"
keys @ Enter
expect_line "Path:"
keys c Enter
expect_screen "Fatto!"
expect_line "Path:"
keys Up
sleep 0.3
expect_line "Path:"
keys C-d
expect_screen "Premere un tasto"
terminal capture-pane -p -t "$session" | grep -qF "^D" && fail "Ctrl-D was echoed"
keys q
expect_status 0
[ -z "$(cat "$work/dir/function_history.txt")" ] || fail "history not cleared"

program_pid() {
  pgrep -P "$(terminal display-message -p -t "$session" '#{pane_pid}')"
}

start_run 80
expect_line "Path:"
kill -TERM "$(program_pid)"
expect_status 143

start_run 80
expect_line "Path:"
keys x Enter
expect_screen "Premere un tasto"
tty=$(terminal display-message -p -t "$session" '#{pane_tty}')
pid=$(program_pid)
for ((i = 0; i < 100; i++)); do
  stty -F "$tty" -a | grep -q -- '-icanon' && break
  sleep 0.1
done
# The pane's shell has no job control, so Ctrl-Z's SIGTSTP would not stop
# the program (its process group is orphaned); SIGSTOP does.
kill -STOP "$pid"
for ((i = 0; i < 100; i++)); do
  [ "$(ps -o stat= -p "$pid" | cut -c1)" = T ] && break
  sleep 0.1
done
[ "$(ps -o stat= -p "$pid" | cut -c1)" = T ] || fail "SIGSTOP did not stop the program"
stty -F "$tty" sane
kill -CONT "$pid"
sleep 0.3
[ -s "$work/status" ] && fail "the pause ended without a key"
keys q
expect_status 0
echo "terminal session passed"
