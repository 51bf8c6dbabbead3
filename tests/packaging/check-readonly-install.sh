#!/usr/bin/env bash
# An installed copy on a read-only file system starts, and its first Snapshot lands in the
# per-user data folder instead of beside the program. Needs Xvfb, xdotool and mount rights.
set -euo pipefail
build=$1
skip() { echo "SKIP: $*"; exit 77; }
command -v unshare >/dev/null || skip "no unshare"
unshare -m true 2>/dev/null || skip "no right to make a private mount namespace"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Inside a private mount namespace, so the read-only mount goes away with it.
unshare -m bash -s "$prefix" "$(dirname "$0")" <<'INNER' || exit $?
set -euo pipefail
prefix=$1
mount --bind "$prefix" "$prefix" && mount -o remount,bind,ro "$prefix" ||
    { echo "SKIP: cannot mount read-only"; exit 77; }
touch "$prefix/lib/pendrel/probe" 2>/dev/null && { echo "FAIL: prefix still writable"; exit 1; }
"$2/snapshot-under-xvfb.sh" "$prefix/bin/pendrel" "$XDG_DATA_HOME/Pendrel/SessionLog.txt"
[[ ! -e $prefix/lib/pendrel/SessionLog.txt ]] || { echo "FAIL: log beside the program"; exit 1; }
INNER
