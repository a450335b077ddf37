#!/usr/bin/env bash
# The installed game as a player gets it: installs into a temporary prefix, validates the
# desktop entry and the AppStream metadata, starts the game through the desktop entry's Exec
# under its own Xvfb with a temporary HOME, checks that a reinstall keeps the player's files,
# then builds the .tar.gz and the .deb, lists them and plays the unpacked archive.
#   test-install.sh <build directory> <application id>
set -euo pipefail
build=$(cd "$1" && pwd)
id=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
T=$(mktemp -d)
# The user install the README gives: the prefix ~/.local, beside the player's own directory.
P=$T/home/.local
H=$P/share/bellarune
xvfb= game=
trap 'kill $game $xvfb 2>/dev/null; rm -rf "$T"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
unset QT_QPA_PLATFORM XDG_DATA_HOME
export LC_ALL=C

echo "== install into $P"
cmake --install "$build" --prefix "$P" >"$T/install.log"
desktop=$P/share/applications/$id.desktop
metainfo=$P/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo" || fail "metadata not valid"
grep -qx 'Categories=Game;.*' "$desktop" || fail "not in the Game category"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry names another icon"
grep -q '<description>' "$metainfo" && grep -q '<screenshot type="default">' "$metainfo" ||
    fail "metadata lacks a description or a screenshot"
for s in 16 24 32 48 64 128 256; do
    file "$P/share/icons/hicolor/${s}x$s/apps/$id.png" | grep -q "PNG image data, $s x $s," ||
        fail "no $s x $s icon"
done
file "$P/share/icons/hicolor/scalable/apps/$id.svg" | grep -q 'SVG' || fail "no scalable icon"

# The installed program directory holds the shipped files as shipped and the pictures and
# sounds as the generator draws them into an empty directory.
inst=$P/lib/bellarune
for f in zel.dat zel.INI zelsnd.dat zelhelp.txt zelord.txt; do
    cmp "$src/assets/$f" "$inst/$f" || fail "$f is not installed as shipped"
done
QT_QPA_PLATFORM=offscreen "$build/tools/assetgen/bellarune-assets" "$src/assets" "$T/drawn" 2>/dev/null
[ -f "$T/drawn/zelback.jpg" ] && [ -f "$T/drawn/cannon1.jpg" ] && [ -f "$T/drawn/Ks-nb.jpg" ] ||
    fail "the generator did not draw the menu picture, threat pictures and state maps"
(cd "$T/drawn" && sha256sum -- *) | (cd "$inst" && sha256sum --quiet -c -) || fail "pictures or sounds not installed as drawn"
# ... and nothing else: no file of the developer's own program directory.
{ find "$src/assets" -type f -printf '%f\n'; ls "$T/drawn"; echo CREDITS.md; echo bellarune; echo bellarune-check; } | sort -u >"$T/shipped.txt"
extra=$(ls "$inst" | sort | comm -23 - "$T/shipped.txt")
[ -z "$extra" ] || fail "installed but not shipped: $extra"

# Xvfb picks a free display itself and writes its number: no race with other tests' servers.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$T/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$T/display" ] && break; sleep 0.1; done
[ -s "$T/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$T/display")
echo "== X display $DISPLAY"

# Starts a command in the background and waits for the main menu; leaves its pid in $game.
# Message boxes bear the same title: the menu is told by its size, 5985 x 3840 twips at 96 DPI.
play() {
    HOME=$T/home "$@" >"$T/game.log" 2>&1 &
    game=$!
    local wid size
    wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Bellarune Game$' | head -1) ||
        { cat "$T/game.log" >&2; fail "no main menu from $*"; }
    size=$(xwininfo -id "$wid" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
    [ "$size" = 399x256 ] || fail "the window titled Bellarune Game is $size, not the main menu"
}
stop() { kill $game; wait $game 2>/dev/null || true; game=; }

echo "== start through the desktop entry"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "$P/bin/bellarune" ] || fail "Exec is '$exec_line', not the installed launcher"
play $exec_line
[ "$(readlink /proc/$game/exe)" = "$H/bellarune" ] || fail "the game does not run from the player's directory"
stop
(cd "$inst" && sha256sum -- *) | (cd "$H" && sha256sum --quiet -c -) || fail "not everything copied into the player's directory"

echo "== the player's own files survive a reinstall; missing ones come back; the program is updated"
sed -i '1s/Unconditional Surrender/Player Edited/' "$H/zel.dat"
cp "$H/zel.dat" "$T/zel.dat.player"
cp "$H/Al.jpg" "$H/zelback.jpg"
rm "$H/zelord.txt"
cp "$inst/bellarune-check" "$H/bellarune"
cmake --install "$build" --prefix "$P" >"$T/install.log"
play $exec_line
stop
cmp "$T/zel.dat.player" "$H/zel.dat" || fail "the reinstall replaced the player's zel.dat"
cmp "$H/Al.jpg" "$H/zelback.jpg" || fail "the player's picture was replaced"
cmp "$inst/zelord.txt" "$H/zelord.txt" || fail "a missing shipped file was not copied again"
cmp "$inst/bellarune" "$H/bellarune" || fail "the player's program was not brought up to date"

echo "== a player directory that cannot be made"
touch "$T/file"
if XDG_DATA_HOME=$T/file/share "$P/bin/bellarune" >/dev/null 2>"$T/err.txt"; then
    fail "the launcher reported success without a directory"
fi
grep -q "bellarune: cannot make your game directory $T/file/share/bellarune" "$T/err.txt" ||
    fail "no clear message: $(cat "$T/err.txt")"

echo "== packages"
(cd "$build" && cpack -G "TGZ;DEB" -B "$T/pkg") >"$T/cpack.log" || { cat "$T/cpack.log"; fail "cpack"; }
tgz=$(echo "$T"/pkg/bellarune-*.tar.gz)
deb=$(echo "$T"/pkg/bellarune_*.deb)
tar tzvf "$tgz" | awk '{print $1, $6}' >"$T/tgz.txt"
dpkg-deb -c "$deb" | awk '{print $1, $6}' >"$T/deb.txt"
echo "$tgz: $(wc -l <"$T/tgz.txt") entries"; grep -E '/(bellarune|zel\.dat)$' "$T/tgz.txt"
echo "$deb: $(wc -l <"$T/deb.txt") entries"; grep -vE '\.(jpg|wav)$|/$' "$T/deb.txt"
for f in ./usr/bin/bellarune ./usr/lib/bellarune/bellarune ./usr/lib/bellarune/zel.dat \
         ./usr/share/applications/$id.desktop ./usr/share/icons/hicolor/48x48/apps/$id.png \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/metainfo/$id.metainfo.xml; do
    grep -q " $f$" "$T/deb.txt" || fail "$f is not in the .deb"
done
grep -q '^-rwxr-xr-x ./usr/bin/bellarune$' "$T/deb.txt" || fail "the launcher is not executable in the .deb"
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$id.desktop" | grep -qx 'Exec=/usr/bin/bellarune' ||
    fail "the .deb's desktop entry does not run /usr/bin/bellarune"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in fonts-liberation libqt6widgets6 libqt6gui6 libqt6multimedia6 libqt6core6; do
    [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail ".deb does not depend on $p"
done
# Every dependency must be a real package, satisfied here where the game just ran.
IFS=',' read -ra deps <<<"$depends"
for d in "${deps[@]}"; do
    read -r name op ver <<<"$(echo "$d" | tr -d '()')"
    have=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "dependency $name is not installed"
    [ -z "${op:-}" ] || dpkg --compare-versions "$have" "$op" "$ver" || fail "$name $have is not $op $ver"
done

echo "== the unpacked archive is a program directory"
mkdir "$T/portable"
tar xzf "$tgz" -C "$T/portable"
dir=$(echo "$T"/portable/*)
[ -x "$dir/bellarune" ] && [ -f "$dir/zel.dat" ] && [ ! -e "$dir/bin" ] || fail "archive layout: $(ls "$dir" | head)"
rm -rf "$T/home"
cd /
play "$dir/bellarune"
[ -f "$dir/zelquiz.log" ] && [ ! -e "$T/home/.local" ] || fail "the unpacked game does not keep its files beside it"
stop
echo "install test passed"
