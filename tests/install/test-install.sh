#!/usr/bin/env bash
# The installed game as a player and a packager get it: installs into a temporary prefix,
# validates the desktop entry and the AppStream metadata, checks the options without a
# display, starts the game through the desktop entry's Exec under its own Xvfb with a
# temporary HOME (its icon, one game per folder, a lock left by a killed game), checks that
# a reinstall keeps the player's files and brings back deleted ones, that every start-up
# failure shows a window, and (where the test may mount) that a player whose home is a
# noexec mount plays and that a read-only directory keeps every file; then builds the
# .tar.gz and the .deb twice (same bytes), runs lintian and plays the unpacked archive.
#   test-install.sh <build directory> <application id>
set -euo pipefail
build=$(cd "$1" && pwd)
id=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
T=$(mktemp -d)
chmod 755 "$T"  # the unprivileged player below reads the installed game
# The user install the README gives: the prefix ~/.local, beside the player's own directory.
P=$T/home/.local
H=$P/share/bellarune
mounts=() xvfb= game=
cleanup() {
    kill $game $xvfb 2>/dev/null || true
    for m in "${mounts[@]}"; do umount "$m" 2>/dev/null || true; done
    rm -rf "$T"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
unset QT_QPA_PLATFORM XDG_DATA_HOME
export LC_ALL=C

echo "== install into $P"
cmake --install "$build" --prefix "$P" >"$T/install.log"
desktop=$P/share/applications/$id.desktop
metainfo=$P/share/metainfo/$id.metainfo.xml
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --pedantic --no-net "$metainfo" >"$T/as.txt" 2>&1 || { cat "$T/as.txt"; fail "metadata not valid"; }
grep -qx 'Categories=Game;' "$desktop" || fail "not in the one main category Game"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry names another icon"
grep -q '<release version="1.05" date="[0-9-]*">' "$metainfo" && grep -q 'content_attribute id="violence-realistic"' "$metainfo" ||
    fail "metadata lacks the release or the content rating"
shots=$(sed -n 's|.*<image>.*/\([^/]*\)</image>|\1|p' "$metainfo")
[ -n "$shots" ] || fail "no screenshot in the metadata"
for s in $shots; do
    file "$P/share/doc/bellarune/screenshots/$s" | grep -q 'PNG image data' || fail "screenshot $s is not shipped"
done
for s in 16 24 32 48 64 128 256; do
    file "$P/share/icons/hicolor/${s}x$s/apps/$id.png" | grep -q "PNG image data, $s x $s," ||
        fail "no $s x $s icon"
done
file "$P/share/icons/hicolor/scalable/apps/$id.svg" | grep -q 'SVG' || fail "no scalable icon"
[ -x "$P/bin/bellarune" ] && [ -x "$P/bin/bellarune-check" ] || fail "the programs are not in $P/bin"

# The installed data holds the shipped files as shipped, the pictures and sounds as the
# generator draws them into an empty directory, and nothing else: no program.
inst=$P/share/games/bellarune
for f in zel.dat zel.INI zelsnd.dat zelhelp.txt zelord.txt; do
    cmp "$src/assets/$f" "$inst/$f" || fail "$f is not installed as shipped"
done
QT_QPA_PLATFORM=offscreen "$build/tools/assetgen/bellarune-assets" "$src/assets" "$T/drawn" 2>/dev/null
[ -f "$T/drawn/zelback.jpg" ] && [ -f "$T/drawn/cannon1.jpg" ] && [ -f "$T/drawn/Ks-nb.jpg" ] ||
    fail "the generator did not draw the menu picture, threat pictures and state maps"
(cd "$T/drawn" && sha256sum -- *) | (cd "$inst" && sha256sum --quiet -c -) || fail "pictures or sounds not installed as drawn"
{ find "$src/assets" -type f -printf '%f\n'; ls "$T/drawn"; echo CREDITS.md; } | sort -u >"$T/shipped.txt"
extra=$(ls "$inst" | sort | comm -23 - "$T/shipped.txt")
[ -z "$extra" ] || fail "installed but not shipped: $extra"

echo "== options without a display"
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY "$P/bin/bellarune" "$@"; }
[ "$(nodisplay --version)" = "Bellarune Game 1.05" ] || fail "--version: $(nodisplay --version 2>&1)"
nodisplay --help | grep -q -- '--dir <folder>' || fail "--help does not list --dir"
status=0
nodisplay --bogus >/dev/null 2>"$T/err.txt" || status=$?
[ $status = 2 ] && grep -q "Unknown option 'bogus'" "$T/err.txt" && grep -q '^Usage:' "$T/err.txt" ||
    fail "an unknown option gave status $status: $(cat "$T/err.txt")"

# Xvfb picks a free display itself and writes its number: no race with other tests' servers.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$T/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$T/display" ] && break; sleep 0.1; done
[ -s "$T/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$T/display")
echo "== X display $DISPLAY"

# Starts a command in the background and waits for the main menu; leaves its pid in $game
# and its window in $wid. Message boxes bear the same title: the menu is told by its size,
# 5985 x 3840 twips at 96 DPI.
play() {
    HOME=$T/home "$@" >"$T/game.log" 2>&1 &
    game=$!
    wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Bellarune Game$' | head -1) ||
        { cat "$T/game.log" >&2; fail "no main menu from $*"; }
    local size
    size=$(xwininfo -id "$wid" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
    [ "$size" = 399x256 ] || fail "the window titled Bellarune Game is $size, not the main menu: $(cat "$T/game.log")"
}
stop() { kill $game; wait $game 2>/dev/null || true; game=; }
# Runs a start that must fail: a message window, the same text on standard error, status 1.
# The window is closed with Return; leaves standard error in $T/err.txt.
refused() {
    "$@" >/dev/null 2>"$T/err.txt" &
    local pid=$! box status=0
    box=$(timeout 30 xdotool search --all --sync --onlyvisible --pid $pid --name '^Bellarune Game$' | head -1) ||
        { kill $pid; fail "no message window from $*: $(cat "$T/err.txt")"; }
    xdotool windowfocus --sync "$box" key Return
    wait $pid || status=$?
    [ $status = 1 ] || fail "status $status from $*"
    [ "$(grep -c '^bellarune: ' "$T/err.txt")" = 1 ] || fail "not one message from $*: $(cat "$T/err.txt")"
}
# The icon on the window: Qt hands the window manager the game's icon (the badge's dusk sky
# is purple-blue at the top, where the generic icon has no _NET_WM_ICON at all).
icon_is_ours() {
    xprop -id "$wid" -notype 32c _NET_WM_ICON | sed 's/^[^=]*= *//' | tr ',' '\n' >"$T/icon.txt"
    # The first icon: width, height, then its pixels as ARGB.
    awk 'NR == 1 {w = $1} NR == 2 {n = w * $1 + 2} NR > 2 && NR <= n {a = int($1 / 16777216); r = int($1 / 65536) % 256
        g = int($1 / 256) % 256; b = $1 % 256; if (a > 200 && b > r && b > g && r < 120) sky++}
        END {exit !(n > 2 && sky >= 64)}' "$T/icon.txt" || fail "the window's icon is not the game's"
}

echo "== start through the desktop entry: the program stays installed, the files go to the player's directory"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "$P/bin/bellarune" ] || fail "Exec is '$exec_line', not the installed program"
play $exec_line
[ "$(readlink /proc/$game/exe)" = "$P/bin/bellarune" ] || fail "the game does not run from where it is installed"
icon_is_ours
echo "== a second game on the same folder is refused"
refused env HOME="$T/home" $exec_line
grep -q "Bellarune Game is already running from the folder $H\." "$T/err.txt" || fail "no clear message: $(cat "$T/err.txt")"
kill -0 $game || fail "the first game ended"
kill -9 $game; wait $game 2>/dev/null || true
echo "== a lock left by a killed game does not block"
play $exec_line
stop
(cd "$inst" && sha256sum -- *) | (cd "$H" && sha256sum --quiet -c -) || fail "not everything copied into the player's directory"
[ -z "$(find "$H" -type f \( -perm /111 -o -name 'bellarune' -o -name 'bellarune-check' -o -name '.*' \))" ] ||
    fail "a program or a temporary file in the player's directory: $(ls -a "$H" | grep -v -e jpg -e wav)"

echo "== the player's own files survive a reinstall; deleted ones come back"
sed -i '1s/Unconditional Surrender/Player Edited/' "$H/zel.dat"
cp "$H/zel.dat" "$T/zel.dat.player"
cp "$H/Al.jpg" "$H/zelback.jpg"
rm "$H/zelord.txt"
cmake --install "$build" --prefix "$P" >"$T/install.log"
play $exec_line
stop
cmp "$T/zel.dat.player" "$H/zel.dat" || fail "the reinstall replaced the player's zel.dat"
cmp "$H/Al.jpg" "$H/zelback.jpg" || fail "the player's picture was replaced"
cmp "$inst/zelord.txt" "$H/zelord.txt" || fail "a deleted shipped file did not come back"

echo "== a player directory that cannot be made"
touch "$T/file"
refused env HOME="$T/home" XDG_DATA_HOME="$T/file/share" "$P/bin/bellarune"
grep -q "cannot make your game folder $T/file/share/bellarune: Not a directory" "$T/err.txt" ||
    fail "no clear message: $(cat "$T/err.txt")"

if mkdir "$T/full" && mount -t tmpfs -o size=256k tmpfs "$T/full" 2>/dev/null; then
    mounts+=("$T/full")
    echo "== a full disk at first start: one message"
    refused env HOME="$T/home" XDG_DATA_HOME="$T/full" "$P/bin/bellarune"
    grep -q "could not copy its file .* into your game folder $T/full/bellarune: No space left on device" "$T/err.txt" &&
        grep -q "Make room on that disk" "$T/err.txt" || fail "no clear message: $(cat "$T/err.txt")"
    [ -z "$(find "$T/full" -name '.*.part')" ] || fail "a half-copied file was left"

    echo "== a player whose home is mounted noexec, as an unprivileged user"
    N=$T/nxhome
    mkdir "$N" && mount -t tmpfs -o size=64m,noexec,mode=755,uid=65534 tmpfs "$N"
    mounts+=("$N")
    player=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$N")
    "${player[@]}" $exec_line >"$T/game.log" 2>&1 &
    game=$!
    timeout 30 xdotool search --sync --onlyvisible --name '^Bellarune Game$' >/dev/null ||
        fail "no main menu for a player with a noexec home: $(cat "$T/game.log")"
    stop
    NH=$N/.local/share/bellarune
    [ -f "$NH/zel.dat" ] || fail "the noexec home got no game files"

    echo "== a read-only player directory: a message at quit, every file kept"
    chmod -R a-w "$NH"
    (cd "$NH" && sha256sum -- *) >"$T/before.txt"
    "${player[@]}" $exec_line >/dev/null 2>"$T/err.txt" &
    game=$!
    wid=$(timeout 30 xdotool search --all --sync --onlyvisible --pid $game --name '^Bellarune Game$' | head -1) ||
        fail "no main menu in a read-only directory: $(cat "$T/err.txt")"
    xdotool mousemove --window "$wid" 328 236 click 1  # Quit
    box=
    for _ in $(seq 300); do
        box=$(xdotool search --all --onlyvisible --pid $game --name '^Bellarune Game$' | grep -vx "$wid" | head -1) && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no message at quit"
    xdotool windowfocus --sync "$box" key Return
    wait $game || fail "the game failed at quit"
    game=
    grep -q "Your settings could not be saved in $NH/zel.INI: zel.INI is read-only, so it was not replaced." "$T/err.txt" ||
        fail "no clear message: $(cat "$T/err.txt")"
    (cd "$NH" && sha256sum --quiet -c "$T/before.txt") || fail "a file of the read-only directory changed"
else
    echo "SKIP: a full disk, a noexec home and a read-only directory: this test may not mount a tmpfs here"
fi

echo "== packages, twice: the same bytes"
for run in 1 2; do
    (cd "$build" && cpack -G "TGZ;DEB" -B "$T/pkg$run") >"$T/cpack.log" || { cat "$T/cpack.log"; fail "cpack"; }
done
tgz=$(echo "$T"/pkg1/bellarune-*.tar.gz)
deb=$(echo "$T"/pkg1/bellarune_*.deb)
cmp "$deb" "$T/pkg2/${deb##*/}" || fail "two builds of the .deb differ"
tar tzvf "$tgz" | awk '{print $1, $6}' >"$T/tgz.txt"
dpkg-deb -c "$deb" | awk '{print $1, $6}' >"$T/deb.txt"
echo "$tgz: $(wc -l <"$T/tgz.txt") entries"; grep -E '/(bellarune|zel\.dat)$' "$T/tgz.txt"
echo "$deb: $(wc -l <"$T/deb.txt") entries"; grep -vE '\.(jpg|wav)$|/$' "$T/deb.txt"
for f in ./usr/games/bellarune ./usr/games/bellarune-check ./usr/share/games/bellarune/zel.dat \
         ./usr/share/applications/$id.desktop ./usr/share/icons/hicolor/48x48/apps/$id.png \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/man/man6/bellarune.6.gz ./usr/share/doc/bellarune/copyright \
         ./usr/share/doc/bellarune/changelog.Debian.gz; do
    grep -q " $f$" "$T/deb.txt" || fail "$f is not in the .deb"
done
grep -q '^-rwxr-xr-x ./usr/games/bellarune$' "$T/deb.txt" || fail "the program is not executable in the .deb"
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$id.desktop" | grep -qx 'Exec=/usr/games/bellarune' ||
    fail "the .deb's desktop entry does not run /usr/games/bellarune"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in fonts-liberation libqt6svg6 libqt6widgets6 libqt6gui6 libqt6multimedia6 libqt6core6; do
    [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail ".deb does not depend on $p"
done
# Every dependency must be a real package, satisfied here where the game just ran.
IFS=',' read -ra deps <<<"$depends"
for d in "${deps[@]}"; do
    read -r name op ver <<<"$(echo "$d" | tr -d '()')"
    have=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "dependency $name is not installed"
    [ -z "${op:-}" ] || dpkg --compare-versions "$have" "$op" "$ver" || fail "$name $have is not $op $ver"
done
echo "== lintian"
lintian --display-info --show-overrides "$deb" >"$T/lintian.txt" 2>&1 || true
cat "$T/lintian.txt"
! grep -E '^[EW]: ' "$T/lintian.txt" || fail "lintian reports errors or warnings"

echo "== the unpacked archive is a program directory"
mkdir "$T/portable"
tar xzf "$tgz" -C "$T/portable"
dir=$(echo "$T"/portable/*)
[ -x "$dir/bellarune" ] && [ -f "$dir/zel.dat" ] && [ ! -e "$dir/bin" ] || fail "archive layout: $(ls "$dir" | head)"
rm -rf "$T/home"
cd /
play "$dir/bellarune"
icon_is_ours
[ -f "$dir/zelquiz.log" ] && [ ! -e "$T/home/.local" ] || fail "the unpacked game does not keep its files beside it"
stop
echo "install test passed"
