#!/usr/bin/env bash
# Drives the Windows PROGRAM under wine at a real console: wine gives a
# program started from a Unix terminal a console of its own, drawn on that
# terminal, here a tmux pane. Checks the window title and the saved colours
# applied at startup, the screen cleared by `k`, a line with accented letters
# read whole, a restart keeping the keys typed ahead, and the exit waiting
# for a key.
#
#   windows_console.sh WINE PROGRAM
#
# Runs in the wine prefix $WINEPREFIX names. Exits 77 (skipped) without tmux
# or wine. Every wait is bounded.
set -u
wine=$1
program=$2
if ! command -v tmux >/dev/null; then
  echo "tmux not installed: skipped"
  exit 77
fi
if [ ! -x "$wine" ]; then
  echo "wine not installed: skipped"
  exit 77
fi

work=$(mktemp -d)
socket=$work/tmux
session=kalvex
terminal() { tmux -S "$socket" -f /dev/null "$@"; }
trap 'terminal kill-server 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/dir"

fail() {
  echo "FAILED: $*"
  echo "--- screen ---"
  terminal capture-pane -p -t "$session"
  exit 1
}

# The program in an 80x30 window; its exit status is written to
# $work/status. Ctrl-Z must reach the console as its end of input rather
# than stop the program as the terminal's suspend key.
start_run() {
  terminal new-session -d -s "$session" -x 80 -y 30 -c "$work/dir" \
    "stty susp undef; env -u NO_COLOR TERM=xterm LANG=C.UTF-8 WINEDEBUG=-all \
       ${WINEPREFIX:+WINEPREFIX='$WINEPREFIX'} '$wine' '$program'; \
     echo \$? >'$work/status'; exec sleep 120"
}

screen() { terminal capture-pane -p -t "$session"; }

# Waits until the screen shows $1; wine takes a while to start.
expect_screen() {
  for ((i = 0; i < 300; i++)); do
    screen | grep -qF -- "$1" && return 0
    [ -e "$work/status" ] && break
    sleep 0.1
  done
  fail "the screen never showed '$1'"
}

# Waits until the cursor's line reads $1 (trailing blanks aside).
expect_line() {
  local line row
  for ((i = 0; i < 300; i++)); do
    row=$(terminal display-message -p -t "$session" '#{cursor_y}')
    line=$(terminal capture-pane -p -t "$session" -S "$row" -E "$row" | sed 's/ *$//')
    [ "$line" = "$1" ] && return 0
    [ -e "$work/status" ] && break
    sleep 0.1
  done
  fail "the cursor's line reads '$line', expected '$1'"
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

# The colour codes (SGR parameters) the terminal holds for screen line $1.
line_colours() {
  terminal capture-pane -p -e -t "$session" -S "$1" -E "$1" |
    grep -oE $'\e\\[[0-9;]*m' | tr -d $'\e[m' | tr ';' '\n' | sort -u | tr '\n' ' '
}

# The saved theme, light blue behind light yellow, is applied at startup
# together with the title.
printf 'color 9e' >"$work/dir/color_data.txt"
start_run
expect_line "Path:"
title=$(terminal display-message -p -t "$session" '#{pane_title}')
[ "$title" = "Kalvex Terminal" ] || fail "the window title is '$title'"
colours=$(line_colours 0)
[[ " $colours" == *" 93 "* && " $colours" == *" 104 "* ]] ||
  fail "the banner's colour codes are '$colours', expected 93 (text) and 104 (background)"

# Names typed with accented letters reach the program as the letters they
# are: the municipality is found only under its normalised name.
keys f Enter
expect_line "Cognome:"
keys "De Luca" Enter
expect_line "Nome:"
keys "Niccolò" Enter
expect_line "Giorno di nascita(gg):"
keys 5 Enter
expect_line "Mese di nascita (mm):"
keys 6 Enter
expect_line "Anno di nascita (aaaa):"
keys 2003 Enter
expect_line "Sesso (M/F):"
keys F Enter
expect_line "Comune di nascita:"
keys "forlì" Enter
expect_screen "Codice fiscale: DLCNCL03H45D704P"
expect_line "Path:"
# And the program's own accented letters reach the console as they are.
keys 2 Enter
expect_line "Path:"
keys "0 2 -4" Enter
expect_screen "L'equazione è di primo grado, la soluzione è x = 2"
expect_line "Path:"

# k clears the screen and shows the banner at its top.
keys k Enter
for ((i = 0; i < 100; i++)); do
  screen | grep -qF "Codice fiscale" || break
  sleep 0.1
done
expect_line "Path:"
screen | grep -qF "Codice fiscale" && fail "k did not clear the screen"
[ "$(screen | head -n 1 | sed 's/ *$//')" = "Kalvex Terminal" ] || fail "no banner at the top after k"

# A restart with a whole sum typed ahead: the new instance reads it.
keys l Enter a Enter 2 Enter 5 Enter 7 Enter
expect_screen "Risultato: 12"
expect_line "Path:"
screen | grep -qF "Path: l" && fail "the restarted program did not clear the screen"

# Ctrl-Z ends the input; the program then waits for a key before it ends.
keys C-z Enter
expect_screen "Ok,sto uscendo..."
sleep 1
[ -e "$work/status" ] && fail "the program ended without waiting for a key"
keys q
expect_status 0
echo "console session passed"
