#!/bin/sh
# The game as it is installed: the Debian package built, checked as Debian
# checks it, unpacked into a scratch root, and played from there.
#   install_test.sh BUILD_DIR PLAY_TEST APP_ID
set -eu
build=$1
play=$2
id=$3
work=$(mktemp -d)
game=""
# (kill with no game started would be "kill 0": the whole process group, the test runner included)
trap 'if [ -n "$game" ]; then kill "$game" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/velmora_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libsdl2-mixer-2.0-0 libc6; do
    case "$depends" in *"$needed"*) ;; *) fail "Depends lacks $needed: $depends" ;; esac
done
lintian --fail-on error,warning "$deb" || fail "lintian"

root="$work/root"
dpkg-deb -x "$deb" "$root"
usr="$root/usr"
for wave in $(awk '!/^#/ && NF { print $2 }' "$(dirname "$0")/../../assets/sounds/cues.txt"); do
    [ -f "$usr/lib/games/velmora/$wave" ] || fail "no $wave beside the program"
done
[ "$(readlink -f "$usr/games/velmora")" = "$(readlink -f "$usr/lib/games/velmora/velmora")" ] \
    || fail "/usr/games/velmora does not lead to the program"
entry="$usr/share/applications/$id.desktop"
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "launcher entry: $out"
out=$(appstreamcli validate --pedantic --no-net "$usr/share/metainfo/$id.metainfo.xml" 2>&1) \
    || fail "metainfo: $out"
for size in 16 24 32 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x$size/apps/$id.png"
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "icon $size: $(file "$icon")"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
man -l "$usr/share/man/man6/velmora.6.gz" 2>/dev/null | grep -q "EXIT STATUS" || fail "manual page"

# The window names the launcher entry it belongs to, as docks match them.
QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$usr/games/velmora" &
game=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$game" --name '^Form1$' | head -n 1)
class=$(xprop -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"/\1/')
wanted=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ "$class" = "$wanted" ] || fail "WM_CLASS $class, the launcher entry says $wanted"
kill "$game"

# Played from there, through the link, with its cues heard.
VELMORA_TEST_COMMAND="$usr/games/velmora" dbus-run-session -- "$play" scenario:moves
