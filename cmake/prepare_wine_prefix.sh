#!/usr/bin/env bash
# WINE WINESERVER: makes the wine prefix $WINEPREFIX the cross-built tests run
# in, and starts one wineserver that outlives each test's process, so every
# program starts in a fraction of a second instead of bringing up wine
# afresh. The server ends by itself a minute after its last program.
set -u
wine=$1
wineserver=$2
: "${WINEPREFIX:?WINEPREFIX must name the prefix}"
export WINEDEBUG=-all

# Making a prefix writes notes on standard error that a test comparing
# standard error would take for the program's own.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  if ! "$wine" wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1; then
    cat "$WINEPREFIX/wineboot.log"
    exit 1
  fi
  # The server that made the prefix goes within seconds; a persistent one
  # can start only after it.
  "$wineserver" -w
fi
# Already running for this prefix: status 2, and nothing to do. The server
# must not hold the test's output open, or the test would never end.
"$wineserver" -p60 </dev/null >/dev/null 2>&1 || true
# The first program also starts wine's own services, which live on with the
# server; started by a test they would hold that test's output open.
"$wine" cmd.exe /c exit </dev/null >/dev/null 2>&1
echo "wine prefix $WINEPREFIX ready"
