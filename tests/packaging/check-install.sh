#!/usr/bin/env bash
# Installs into a temporary prefix and checks the layout and the desktop files.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
[[ -x $prefix/lib/pendrel/pendrel ]] || fail "no program in lib/pendrel"
for sound in woohoo.wav AAAGH2.wav libpendrel-sound.so; do
    [[ -f $prefix/lib/pendrel/$sound ]] || fail "no $sound beside the program"
done
[[ -L $prefix/bin/pendrel ]] || fail "bin/pendrel is not a link"
[[ $(readlink -f "$prefix/bin/pendrel") == "$(readlink -f "$prefix/lib/pendrel/pendrel")" ]] ||
    fail "bin/pendrel does not lead to lib/pendrel/pendrel"
for size in 16 24 32 48 64 128 256; do
    [[ -f $prefix/share/icons/hicolor/${size}x${size}/apps/org.example.Pendrel.png ]] ||
        fail "no ${size}px icon"
done
[[ -f $prefix/share/icons/hicolor/scalable/apps/org.example.Pendrel.svg ]] || fail "no scalable icon"
desktop=$prefix/share/applications/org.example.Pendrel.desktop
metainfo=$prefix/share/metainfo/org.example.Pendrel.metainfo.xml
[[ -f $desktop ]] || fail "no desktop file"
[[ -f $metainfo ]] || fail "no metainfo file"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop file does not validate"
else
    echo "desktop-file-validate not found: not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "metainfo does not validate"
else
    echo "appstreamcli not found: not validated"
fi
echo "installed layout checked"
