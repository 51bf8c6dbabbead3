#!/usr/bin/env bash
# An installed copy on a read-only file system starts, and its first Snapshot lands in the
# per-user data folder instead of beside the program. Needs Xvfb, xdotool and mount rights.
set -euo pipefail
build=$1
skip() { echo "SKIP: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "no Xvfb"
command -v xdotool >/dev/null || skip "no xdotool"
command -v unshare >/dev/null || skip "no unshare"
unshare -m true 2>/dev/null || skip "no right to make a private mount namespace"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Inside a private mount namespace, so the read-only mount goes away with it.
unshare -m bash -s "$prefix" <<'INNER' || exit $?
set -euo pipefail
prefix=$1
mount --bind "$prefix" "$prefix" && mount -o remount,bind,ro "$prefix" ||
    { echo "SKIP: cannot mount read-only"; exit 77; }
touch "$prefix/lib/pendrel/probe" 2>/dev/null && { echo "FAIL: prefix still writable"; exit 1; }

# Xvfb picks a free display itself and writes its number when it is ready.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
pendrel=""
trap 'kill $pendrel $xvfb 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do [[ -s $displayfile ]] && break; sleep 0.1; done
[[ -s $displayfile ]] || { echo "SKIP: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -n 1 "$displayfile")" QT_QPA_PLATFORM=xcb

"$prefix/bin/pendrel" >/dev/null 2>&1 &
pendrel=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "Pendrel" | head -n 1)
[[ -n $window ]] || { echo "FAIL: the installed program shows no window"; exit 1; }
log=$XDG_DATA_HOME/Pendrel/SessionLog.txt
# The focus starts on Exit; three Tabs pass Start and the count panel to Snapshot. Without a
# window manager the first focus can be lost, so try again a few times.
for _ in 1 2 3; do
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.3
    xdotool key --delay 100 Tab Tab Tab space
    for _ in $(seq 30); do [[ -s $log ]] && break 2; sleep 0.1; done
done
[[ -s $log ]] || { echo "FAIL: no log in the per-user folder"; exit 1; }
[[ ! -e $prefix/lib/pendrel/SessionLog.txt ]] || { echo "FAIL: log beside the program"; exit 1; }
lines=$(grep -c $'\r$' "$log")
[[ $lines == 1 ]] || { echo "FAIL: $lines lines in $log"; exit 1; }
grep -qE $'^[^;]*;[^;]+;0 years, 0 days, 00:00:00\\.00\r$' "$log" ||
    { echo "FAIL: unexpected line: $(cat -A "$log")"; exit 1; }
echo "snapshot written to $log"
INNER
