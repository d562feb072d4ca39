#!/usr/bin/env bash
# terminal_line_editing.sh PROGRAM [LINE_EDITING_BUILT]: the program at a real
# terminal (a tmux pane), typed at as a user types; then signals at the prompt
# and at the exit pause. Skipped (77) without tmux or line editing.
set -u
program=$1
built=${2:-ON}
if [ "$built" != ON ]; then
  echo "built without line editing: skipped"
  exit 77
fi

tries=100 editing=1
. "$(dirname "$0")/tmux_driver.sh"
# The server ends with its last session; this one outlives every run.
terminal new-session -d -s keeper "exec sleep 300"
start_run() { start "$1" "env -u NO_COLOR TERM=xterm LANG=C.UTF-8 '$program'"; }

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
# after a restart, a wrapped prompt is redrawn in place, Ctrl-D ends.
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
[ "$(screen | grep -A1 -x "Inserisci quanti valori vuoi u")" = \
  $'Inserisci quanti valori vuoi u\ntilizzare: 1' ] || fail "the wrapped prompt was not redrawn in place"
keys Enter
expect_line "Valore:"
keys 7 Enter
expect_screen "Risultato: 7"
expect_line "Path:"
keys C-d
expect_screen "Premere un tasto"
screen | grep -qF "^D" && fail "Ctrl-D was echoed"
keys q
expect_status 0

program_pid() { pgrep -P "$(pane pane_pid)"; }

start_run 80
expect_line "Path:"
kill -TERM "$(program_pid)"
expect_status 143

start_run 80
expect_line "Path:"
keys x Enter
expect_screen "Premere un tasto"
pid=$(program_pid)
wait_for eval 'stty -F "$(pane pane_tty)" -a | grep -q -- -icanon'
# The pane's shell has no job control, so Ctrl-Z's SIGTSTP would not stop
# the program (its process group is orphaned); SIGSTOP does.
kill -STOP "$pid"
wait_for eval '[ "$(ps -o stat= -p "$pid" | cut -c1)" = T ]' || fail "SIGSTOP did not stop the program"
stty -F "$(pane pane_tty)" sane
kill -CONT "$pid"
sleep 0.3
[ -s "$work/status" ] && fail "the pause ended without a key"
keys q
expect_status 0
echo "terminal session passed"
