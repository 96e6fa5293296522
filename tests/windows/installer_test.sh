#!/bin/sh
# The Windows installer under Wine, as a player uses it: a silent install for
# the current user, its Start-menu entry and its entry among the installed
# programs, the game started from where it was installed and played, then a
# silent uninstall that leaves no file and no key behind.
#
#   installer_test.sh SETUP.EXE PLAY_TEST
#
# Run under tests/e2e/x_session.sh --wm, with WINEPREFIX (and WINELOADER
# where the 64-bit loader must be named) set.
set -eu
setup=$(realpath "$1")
play=$(realpath "$2")
wine=${WINELOADER:-wine}

fail() {
    echo "installer test: $*" >&2
    exit 1
}
windows() {  # a Windows environment variable, as a path of this system
    "$wine" winepath -u "$("$wine" cmd /c echo "%$1%" | tr -d '\r')" | tr -d '\r'
}

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'
folder="$(windows LOCALAPPDATA)/Programs/Velmora"
shortcut="$(windows APPDATA)/Microsoft/Windows/Start Menu/Programs/Velmora.lnk"
[ ! -e "$folder" ] || fail "$folder is there before the install"

"$wine" "$setup" /S
wineserver -w
waves=$(awk '!/^#/ && NF { print $2 }' "$(dirname "$0")/../../assets/sounds/cues.txt")
for file in Velmora.exe $waves README.txt LICENSE Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "the install left no $file in $folder"
done
[ -f "$shortcut" ] || fail "no Start-menu entry"
entry=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r') || fail "no entry among the installed programs"
for value in "DisplayName.*Velmora" "DisplayVersion.*1\.0\.0" "Publisher.*Velmora developers" \
             "UninstallString.*Uninstall\.exe" "DisplayIcon.*Velmora\.exe"; do
    printf '%s\n' "$entry" | grep -q "$value" || fail "the installed programs' entry lacks $value"
done

# Played from where it was installed: moves and their sounds.
QT_QPA_PLATFORM=offscreen VELMORA_TEST_COMMAND="$wine $folder/Velmora.exe" "$play" scenario:moves \
    || fail "the installed game did not play"
wineserver -w

"$wine" "$folder/Uninstall.exe" /S
wineserver -w  # the uninstaller goes on from a copy of itself
[ ! -e "$folder" ] || fail "the uninstall left $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu entry"
if "$wine" reg query "$key" >/dev/null 2>&1; then
    fail "the uninstall left the key $key"
fi
echo "installer test: installed, played and uninstalled without a trace"
