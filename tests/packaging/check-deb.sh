#!/usr/bin/env bash
# Builds the Debian package and unpacks it into a temporary root: its layout, manual page and
# dependencies are checked, then the unpacked program, its folder read-only as under /usr, takes
# one Snapshot that must land in the per-user data folder. Needs dpkg-buildpackage and debhelper.
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }
command -v dpkg-buildpackage >/dev/null || skip "no dpkg-buildpackage"
command -v dh >/dev/null || skip "no debhelper"

# Always in the same folder, so that ccache finds the objects again; without the unit suites,
# which have run already.
work=$build/deb-check
DEB_BUILD_OPTIONS="nocheck parallel=2" "$here/../../scripts/build-package" "$work" -Pnocheck \
    >"$work.log" 2>&1 || { tail -n 40 "$work.log"; fail "the package does not build ($work.log)"; }
version=$(dpkg-parsechangelog -l "$here/../../debian/changelog" -S Version)
deb=$work/pendrel_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb"
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$work"/pendrel_*.changes || fail "lintian finds fault"
fi

tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
root=$tmp/root
dpkg -x "$deb" "$root"
lib=$root/usr/lib/pendrel share=$root/usr/share
[[ -x $lib/pendrel ]] || fail "no program in usr/lib/pendrel"
[[ $(readlink "$root/usr/bin/pendrel") == ../lib/pendrel/pendrel ]] ||
    fail "usr/bin/pendrel does not lead to usr/lib/pendrel/pendrel"
expected=("$lib/woohoo.wav" "$lib/AAAGH2.wav" "$lib/libpendrel-sound.so"
    "$share/applications/org.example.Pendrel.desktop"
    "$share/metainfo/org.example.Pendrel.metainfo.xml" "$share/man/man1/pendrel.1.gz"
    "$share/icons/hicolor/scalable/apps/org.example.Pendrel.svg" "$share/doc/pendrel/copyright")
for size in 16 24 32 48 64 128 256; do
    expected+=("$share/icons/hicolor/${size}x${size}/apps/org.example.Pendrel.png")
done
for file in "${expected[@]}"; do [[ -s $file ]] || fail "no ${file#"$root"/}"; done
if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$share/man/man1/pendrel.1.gz" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "the manual page: $warnings"
fi

# What apt would install with the package on a system that has nothing yet: the dependencies,
# each alternative's first choice, a virtual package's installed providers.
needed_packages() {
    dpkg-query -W -f='${db:Status-Abbrev}\t${Package}\t${Provides}\t${Depends}, ${Pre-Depends}\n' |
        awk -F'\t' -v seed="$(dpkg-deb -f "$deb" Depends)" '
        function bare(name) {
            sub(/\(.*/, "", name); sub(/:.*/, "", name); gsub(/[ \t]/, "", name); return name
        }
        function add(pkg) { if (!(pkg in seen)) { seen[pkg]; queue[tail++] = pkg } }
        function follow(list,   clause, alt, n, i, name, prov, m, j) {
            n = split(list, clause, ",")
            for (i = 1; i <= n; i++) {
                split(clause[i], alt, "|")
                name = bare(alt[1])
                if (name == "") continue
                if (!(name in deps) && (name in providers)) {
                    m = split(providers[name], prov, " ")
                    for (j = 1; j <= m; j++) add(prov[j])
                } else add(name)
            }
        }
        $1 ~ /^ii/ {
            deps[$2] = $4
            n = split($3, p, ",")
            for (i = 1; i <= n; i++) if ((v = bare(p[i])) != "") providers[v] = providers[v] " " $2
        }
        END {
            follow(seed)
            while (head < tail) if ((pkg = queue[head++]) in deps) follow(deps[pkg])
            for (pkg in seen) print pkg
        }'
}

export XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
log=$XDG_DATA_HOME/Pendrel/SessionLog.txt
snapshot=("$here/snapshot-under-xvfb.sh" "$lib/pendrel" "$log" "$tmp/maps")
if [[ $(id -u) -ne 0 ]]; then
    chmod a-w "$lib"
    "${snapshot[@]}"
else
    # Root writes anywhere: the folder is mounted read-only in a private mount namespace.
    unshare -m true 2>/dev/null || skip "layout checked; no mount namespace for the snapshot"
    unshare -m sh -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && "$@"' \
        _ "$lib" "${snapshot[@]}"
fi
[[ ! -e $lib/SessionLog.txt ]] || fail "log beside the program"

# Every Qt plugin and design font the program loaded must come with the package's dependencies.
# A platform theme is the desktop's choice, and comes with the desktop. Image-format plugins are
# loaded whenever Qt sniffs an icon's format, whatever other packages installed them; Pendrel's
# own images are PNG, which Qt reads without any.
mapfile -t loaded < <(grep -E '/qt6/plugins/|/fonts/.*/liberation' "$tmp/maps" |
    grep -v -e /platformthemes/ -e /imageformats/)
[[ ${#loaded[@]} -gt 0 ]] || fail "no Qt plugin loaded?"
declare -A needed shipped
while read -r pkg; do needed[$pkg]=1; done < <(needed_packages)
# Lines read "pkg1:arch, pkg2: /path"; a merged /usr lists some files without the /usr.
while IFS= read -r line; do
    path=${line##*: }
    for pkg in ${line%: *}; do
        pkg=${pkg%,}
        [[ -z ${needed[${pkg%%:*}]-} ]] || shipped[${path#/usr}]=1
    done
done < <(dpkg -S "${loaded[@]}" "${loaded[@]#/usr}" 2>/dev/null)
for file in "${loaded[@]}"; do
    [[ -n ${shipped[${file#/usr}]-} ]] || fail "$file comes with no package that pendrel depends on"
done
echo "package $(basename "$deb") checked: ${#loaded[@]} plugins and fonts loaded, all depended on"
