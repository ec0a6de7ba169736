#!/usr/bin/env bash
# The release in a fresh Wine prefix of its own. The zip: each folder's program runs
# unregistered with its own Tollen.ocx. The installer: a silent install puts the
# program of the machine's architecture into Program Files and registers the control
# for every kind of host; the installed program sweeps a small tree unattended; a
# silent uninstall takes back every file and key it added, keeping a pattern list the
# user changed unless asked to remove it.
#   install_test.sh <x86 build folder> <version> win32|win64
# win32: a 32-bit Windows. win64: a 64-bit Windows (the 32-bit installer runs there
# through WoW64, so the machine must run 32-bit code). Needs DISPLAY (scripts/test).
set -euo pipefail
build=$(readlink -f "$1")
version=$2
windows=$3
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
setup=$build/dist/Scourway-$version-setup.exe
zip=$build/dist/Scourway-$version.zip
export WINEPREFIX=$build/install-test-$windows
export WINEARCH=$windows
unset WINELOADER
# Debian's wine (the 32-bit loader) hands 64-bit programs of a win64 prefix to wine64.
wine() { /usr/bin/wine "$@"; }
work=$(mktemp -d)
clsid='{B8488270-ABE6-4C60-8B06-EC39EF84DDF2}'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scourway'

failures=0
check() {  # check <description> <command...>
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
absent() { ! "$@"; }
key() { wine reg query "$@"; }
# The registry views a host of each kind sees (a win32 prefix has only its own, "").
views=(/reg:64 /reg:32); [ "$windows" = win32 ] && views=("")
# machine <file>: the PE file's processor as objdump names it.
machine() { x86_64-w64-mingw32-objdump -f "$1" | sed -n 's/.*file format //p'; }
# inproc_server <view> <text>: the class's server, as that view shows it, ends in <text>.
inproc_server() { key "HKCR\\CLSID\\$clsid\\InprocServer32" /ve "$1" | tr -d '\r' | grep -qiF -- "$2"; }
# The ProgID through a script host of the given kind: its Prompt round-trips.
script_host() {  # script_host <cscript.exe path>
  printf 'Set p = CreateObject("Tollen.Pathwick")\r\np.Prompt = "from a script"\r\nWScript.Echo p.Prompt\r\n' > "$work/create.vbs"
  test "$(wine "$1" //nologo "$(winpath "$work/create.vbs")" | tr -d '\r')" = "from a script"
}
finish() { wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"; }
trap finish EXIT

# A fresh prefix, no persistent server: `wineserver -w` then waits for every
# process, the uninstaller's copy of itself included.
rm -rf "$WINEPREFIX"
wine wineboot.exe -i >/dev/null 2>&1
wineserver -w
program="$WINEPREFIX/drive_c/Program Files/Scourway"
if [ "$windows" = win64 ]; then
  native=x64 native_format=pei-x86-64
  hosts=("C:\\windows\\system32\\cscript.exe" "C:\\windows\\syswow64\\cscript.exe")
else
  native=x86 native_format=pei-i386
  hosts=("C:\\windows\\system32\\cscript.exe")
fi
menu=$(find "$WINEPREFIX/drive_c/users" -maxdepth 8 -type d -path '*Start Menu/Programs' | head -n 1)
registry() {  # registry <name>: HKCR as each kind of host sees it
  for view in "${views[@]}"; do
    wine reg export 'HKEY_CLASSES_ROOT' "$(winpath "$work")\\$1${view#/reg:}.reg" ${view:+"$view"} >/dev/null 2>&1
  done
}
# The script hosts' first runs write keys of their own: let them, before the snapshot.
printf 'WScript.Echo 1\r\n' > "$work/warm.vbs"
for host in "${hosts[@]}"; do wine "$host" //nologo "$(winpath "$work/warm.vbs")" >/dev/null 2>&1 || true; done
registry classes-before

echo "== from the zip, nothing registered ($windows)"
mkdir -p "$work/unzipped"
(cd "$work/unzipped" && unzip -q "$zip")
check "zip holds the docs and an x86 and an x64 folder" \
  test "$(cd "$work/unzipped" && find . -type f | sort | tr '\n' ' ')" = \
  "./NOTICE.txt ./README.txt ./x64/KILL.LST ./x64/Scourway.exe ./x64/Tollen.ocx ./x86/KILL.LST ./x86/Scourway.exe ./x86/Tollen.ocx "
check "x86 folder holds 32-bit files" test "$(machine "$work/unzipped/x86/Scourway.exe") $(machine "$work/unzipped/x86/Tollen.ocx")" = "pei-i386 pei-i386"
check "x64 folder holds 64-bit files" test "$(machine "$work/unzipped/x64/Scourway.exe") $(machine "$work/unzipped/x64/Tollen.ocx")" = "pei-x86-64 pei-x86-64"
check "control not registered" absent key 'HKCR\Tollen.Pathwick'
runnable=(x86); [ "$windows" = win64 ] && runnable=(x86 x64)
for arch in "${runnable[@]}"; do
  mkdir -p "$work/ztree-$arch/sub"
  touch "$work/ztree-$arch/x.bak" "$work/ztree-$arch/sub/y.bak" "$work/ztree-$arch/sub/y.txt"
  printf '*.bak\r\n' > "$work/unzipped/$arch/KILL.LST"
  summary=$(wine "$work/unzipped/$arch/Scourway.exe" /AUTO /QUIET /DIR "$(winpath "$work/ztree-$arch")" | tr -d '\r') || true
  check "$arch program runs from its folder: '$summary'" test "$summary" = $'2 total files deleted in 2 directories.\n0 bytes freed.'
done
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
check "installed the $native program and control" \
  test "$(machine "$program/Scourway.exe") $(machine "$program/Tollen.ocx")" = "$native_format $native_format"
if [ "$windows" = win64 ]; then
  check "installed the x86 control for 32-bit hosts" test "$(machine "$program/x86/Tollen.ocx")" = pei-i386
  check "64-bit hosts: the x64 control" inproc_server /reg:64 'Program Files\Scourway\Tollen.ocx'
  check "32-bit hosts: the x86 control" inproc_server /reg:32 'Program Files\Scourway\x86\Tollen.ocx'
else
  check "nothing for 64-bit hosts on 32-bit Windows" test ! -e "$program/x86"
fi
for host in "${hosts[@]}"; do
  check "created by ProgID from $host" script_host "$host"
done
check "Start-menu shortcut" test -f "$menu/Scourway/Scourway.lnk"
check "uninstall entry" key "$uninstall_key" ${views[0]:+"${views[0]}"}

echo "== the installed program, unattended"
mkdir -p "$work/tree/sub"
touch "$work/tree/a.tmp" "$work/tree/keep.txt" "$work/tree/sub/b.tmp" "$work/tree/sub/c.tmpl"
summary=$(wine "$program/Scourway.exe" /AUTO /QUIET /DIR "$(winpath "$work/tree")" | tr -d '\r')
check "sample list deletes nothing: '$summary'" test "$summary" = $'0 total files deleted in 2 directories.\n0 bytes freed.'
check "sample list left the tree whole" test -f "$work/tree/a.tmp"
printf '*.tmp\r\n' > "$program/KILL.LST"
summary=$(wine "$program/Scourway.exe" /AUTO /QUIET /DIR "$(winpath "$work/tree")" | tr -d '\r')
check "user's list deletes the matches: '$summary'" test "$summary" = $'2 total files deleted in 2 directories.\n0 bytes freed.'
check "*.tmp gone, the rest kept" test ! -e "$work/tree/a.tmp" -a ! -e "$work/tree/sub/b.tmp" \
  -a -f "$work/tree/keep.txt" -a -f "$work/tree/sub/c.tmpl"

echo "== silent uninstall keeps the user's list"
wine "$program/Uninstall.exe" /S
wineserver -w
check "user's KILL.LST kept" test -f "$program/KILL.LST"
check "nothing else left in the program folder" test "$(ls -A "$program")" = "KILL.LST"
check "shortcut folder removed" test ! -e "$menu/Scourway"
for view in "${views[@]}"; do
  check "ProgID removed ${view:-}" absent key 'HKCR\Tollen.Pathwick' ${view:+"$view"}
  check "class removed ${view:-}" absent key "HKCR\\CLSID\\$clsid" ${view:+"$view"}
done
check "uninstall entry removed" absent key "$uninstall_key" ${views[0]:+"${views[0]}"}

echo "== reinstall keeps the list; uninstall /REMOVELIST takes everything"
installed_state
check "reinstall kept the user's list" grep -q '^\*\.tmp' "$program/KILL.LST"
wine "$program/Uninstall.exe" /S /REMOVELIST
wineserver -w
check "program folder removed" test ! -e "$program"
registry classes-after
for view in "${views[@]}"; do
  before=$work/classes-before${view#/reg:}.reg after=$work/classes-after${view#/reg:}.reg
  check "HKCR as before the install ${view:-}" cmp -s "$before" "$after" ||
    diff <(iconv -f UTF-16LE -t UTF-8 "$before") <(iconv -f UTF-16LE -t UTF-8 "$after") | head -n 20
done

echo "== an untouched sample list goes with the program"
installed_state
wine "$program/Uninstall.exe" /S
wineserver -w
check "program folder removed with its sample list" test ! -e "$program"

if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all installer checks passed ($windows)"
