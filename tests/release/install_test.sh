#!/usr/bin/env bash
# The installer in a fresh Wine prefix of its own: a silent install puts both files
# into Program Files and registers the control; the installed program sweeps a small
# tree unattended; a silent uninstall takes back every file and key it added, keeping
# a pattern list the user changed unless asked to remove it.
#   install_test.sh <build folder>      (needs DISPLAY: scripts/test provides one)
set -euo pipefail
build=$(readlink -f "$1")
setup=$build/dist/Scourway-1.0.7-setup.exe
export SCOURWAY_BUILD=$build
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
export WINEPREFIX=$build/install-test-prefix
work=$(mktemp -d)
clsid='{B8488270-ABE6-4C60-8B06-EC39EF84DDF2}'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scourway'

failures=0
check() {  # check <description> <command...>
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
absent() { ! "$@"; }
key() { wine reg query "$1"; }
finish() { wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"; }
trap finish EXIT

# A fresh prefix, no persistent server: `wineserver -w` then waits for every
# process, the uninstaller's copy of itself included.
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
program="$WINEPREFIX/drive_c/Program Files/Scourway"
menu=$(find "$WINEPREFIX/drive_c/users" -maxdepth 8 -type d -path '*Start Menu/Programs' | head -n 1)
wine reg export 'HKEY_CLASSES_ROOT' "$(winpath "$work")\\classes-before.reg" >/dev/null 2>&1

echo "== from the zip, nothing registered"
mkdir -p "$work/unzipped" "$work/ztree/sub"
(cd "$work/unzipped" && unzip -q "$build/dist/Scourway-1.0.7.zip")
check "zip holds the five files" test "$(ls "$work/unzipped" | sort | tr '\n' ' ')" = "KILL.LST NOTICE.txt README.txt Scourway.exe Tollen.ocx "
check "control not registered" absent key 'HKCR\Tollen.Pathwick'
touch "$work/ztree/x.bak" "$work/ztree/sub/y.bak" "$work/ztree/sub/y.txt"
printf '*.bak\r\n' > "$work/unzipped/KILL.LST"
summary=$(wine "$work/unzipped/Scourway.exe" /AUTO /QUIET /DIR "$(winpath "$work/ztree")" | tr -d '\r') || true
check "runs from its folder: '$summary'" test "$summary" = "2 total files deleted in 2 directories."
check "still nothing registered" absent key 'HKCR\Tollen.Pathwick'

installed_state() {
  wine "$setup" /S
  wineserver -w
}

echo "== silent install"
installed_state
for f in Scourway.exe Tollen.ocx KILL.LST README.txt NOTICE.txt Uninstall.exe; do
  check "installed $f" test -f "$program/$f"
done
check "Start-menu shortcut" test -f "$menu/Scourway/Scourway.lnk"
check "control registered by ProgID" key 'HKCR\Tollen.Pathwick\CLSID'
check "control's in-process server" key "HKCR\\CLSID\\$clsid\\InprocServer32"
check "uninstall entry" key "$uninstall_key"

echo "== the installed program, unattended"
mkdir -p "$work/tree/sub"
touch "$work/tree/a.tmp" "$work/tree/keep.txt" "$work/tree/sub/b.tmp" "$work/tree/sub/c.tmpl"
summary=$(wine "$program/Scourway.exe" /AUTO /QUIET /DIR "$(winpath "$work/tree")" | tr -d '\r')
check "sample list deletes nothing: '$summary'" test "$summary" = "0 total files deleted in 2 directories."
check "sample list left the tree whole" test -f "$work/tree/a.tmp"
printf '*.tmp\r\n' > "$program/KILL.LST"
summary=$(wine "$program/Scourway.exe" /AUTO /QUIET /DIR "$(winpath "$work/tree")" | tr -d '\r')
check "user's list deletes the matches: '$summary'" test "$summary" = "2 total files deleted in 2 directories."
check "*.tmp gone, the rest kept" test ! -e "$work/tree/a.tmp" -a ! -e "$work/tree/sub/b.tmp" \
  -a -f "$work/tree/keep.txt" -a -f "$work/tree/sub/c.tmpl"

echo "== silent uninstall keeps the user's list"
wine "$program/Uninstall.exe" /S
wineserver -w
check "user's KILL.LST kept" test -f "$program/KILL.LST"
check "nothing else left in the program folder" test "$(ls -A "$program")" = "KILL.LST"
check "shortcut folder removed" test ! -e "$menu/Scourway"
check "ProgID removed" absent key 'HKCR\Tollen.Pathwick'
check "class removed" absent key "HKCR\\CLSID\\$clsid"
check "uninstall entry removed" absent key "$uninstall_key"

echo "== reinstall keeps the list; uninstall /REMOVELIST takes everything"
installed_state
check "reinstall kept the user's list" grep -q '^\*\.tmp' "$program/KILL.LST"
wine "$program/Uninstall.exe" /S /REMOVELIST
wineserver -w
check "program folder removed" test ! -e "$program"
wine reg export 'HKEY_CLASSES_ROOT' "$(winpath "$work")\\classes-after.reg" >/dev/null 2>&1
check "HKCR as before the install" cmp -s "$work/classes-before.reg" "$work/classes-after.reg"

echo "== an untouched sample list goes with the program"
installed_state
wine "$program/Uninstall.exe" /S
wineserver -w
check "program folder removed with its sample list" test ! -e "$program"

if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all installer checks passed"
