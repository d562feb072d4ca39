#!/usr/bin/env bash
# windows_console.sh WINE PROGRAM: the Windows program at wine's console, which
# wine draws on the Unix terminal it starts from, here a tmux pane (in the
# prefix $WINEPREFIX names). Skipped (77) without tmux or wine.
set -u
wine=$1
program=$2
if [ ! -x "$wine" ]; then
  echo "wine not installed: skipped"
  exit 77
fi
# Wine takes a while to start.
tries=300
. "$(dirname "$0")/tmux_driver.sh"
# Ctrl-Z must reach the console as its end of input rather than stop the
# program as the terminal's suspend key.
start_run() {
  start 80 "stty susp undef; env -u NO_COLOR TERM=xterm LANG=C.UTF-8 WINEDEBUG=-all \
    ${WINEPREFIX:+WINEPREFIX='$WINEPREFIX'} '$wine' '$program'"
}

# The colour codes (SGR parameters) the terminal holds for screen line $1.
line_colours() {
  screen -e -S "$1" -E "$1" |
    grep -oE $'\e\\[[0-9;]*m' | tr -d $'\e[m' | tr ';' '\n' | sort -u | tr '\n' ' '
}

# The saved theme, light blue behind light yellow, is applied at startup
# together with the title.
printf 'color 9e' >"$work/dir/color_data.txt"
start_run
expect_line "Path:"
title=$(pane pane_title)
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
wait_for eval '! shows "Codice fiscale"'
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
