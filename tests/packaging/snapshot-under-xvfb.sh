#!/usr/bin/env bash
# Starts PROGRAM on a private Xvfb, presses Snapshot with the keyboard and checks that LOG then
# holds exactly that one line. With MAPS given, the files the program has mapped are listed there
# before it ends. Exits 77 when Xvfb or xdotool is missing.
# Usage: snapshot-under-xvfb.sh PROGRAM LOG [MAPS]
set -euo pipefail
program=$1 log=$2 maps=${3-}
command -v Xvfb >/dev/null || { echo "SKIP: no Xvfb"; exit 77; }
command -v xdotool >/dev/null || { echo "SKIP: no xdotool"; exit 77; }

# Xvfb picks a free display itself and writes its number when it is ready.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
pid=""
trap 'kill $pid $xvfb 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do [[ -s $displayfile ]] && break; sleep 0.1; done
[[ -s $displayfile ]] || { echo "SKIP: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -n 1 "$displayfile")" QT_QPA_PLATFORM=xcb

"$program" >/dev/null 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "Pendrel" | head -n 1)
[[ -n $window ]] || { echo "FAIL: $program shows no window"; exit 1; }
# The focus starts on Exit; three Tabs pass Start and the count panel to Snapshot. Without a
# window manager the first focus can be lost, so try again a few times.
for _ in 1 2 3; do
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.3
    xdotool key --delay 100 Tab Tab Tab space
    for _ in $(seq 30); do [[ -s $log ]] && break 2; sleep 0.1; done
done
[[ -s $log ]] || { echo "FAIL: no log at $log"; exit 1; }
lines=$(grep -c $'\r$' "$log")
[[ $lines == 1 ]] || { echo "FAIL: $lines lines in $log"; exit 1; }
grep -qE $'^[^;]*;[^;]+;0 years, 0 days, 00:00:00\\.00\r$' "$log" ||
    { echo "FAIL: unexpected line: $(cat -A "$log")"; exit 1; }
[[ -z $maps ]] || awk '$6 ~ /^\// { print $6 }' "/proc/$pid/maps" | sort -u >"$maps"
echo "snapshot written to $log"
