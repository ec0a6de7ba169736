#!/usr/bin/env bash
# The release in a fresh Wine prefix of its own. The zip: each folder's program runs
# unregistered with its own Tollen.ocx. The installer, silent, in each mode: for all
# users into Program Files, registered for every kind of host, the list the
# installer's to modify; just for me, nothing under HKLM or in the machine's folders,
# and on request the control's own per-user registration. The installed program
# sweeps a small tree unattended; a silent uninstall takes back every file and key
# its mode added, keeping a pattern list the
# user changed unless asked to remove it.
#   install_test.sh <x86 build folder> <version> win32|win64
# win32: a 32-bit Windows. win64: a 64-bit Windows (the 32-bit installer runs there
# through WoW64, so the machine must run 32-bit code). Needs DISPLAY (scripts/test).
set -euo pipefail
export LC_ALL=C
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
# flat <.reg file>: one line per key and per value ("[key] value"), sorted.
flat() { iconv -f UTF-16LE -t UTF-8 "$1" | tr -d '\r' | awk '/^\[/ { k = $0; print k; next } NF { print k " " $0 }' | sort; }
# snapshot <name>: what an install may touch, as each kind of host sees it: HKLM\Software
# and the user's classes (a file each per view), and the machine's folders.
snapshot() {
  local view key file
  for view in "${views[@]}"; do
    for key in 'HKLM\Software' 'HKCU\Software\Classes'; do
      file=$work/$1-${key%%\\*}${view#/reg:}  # an absent key: an empty file
      wine reg export "$key" "$(winpath "$work")\\${file##*/}.reg" ${view:+"$view"} >/dev/null 2>&1 || : > "$file.reg"
      flat "$file.reg" > "$file" && rm "$file.reg"
    done
  done
  (cd "$WINEPREFIX/drive_c" && { find "Program Files" "Program Files (x86)" ProgramData 2>/dev/null || true; } | sort) > "$work/$1-folders"
}
unchanged() {  # unchanged <snapshot> <later snapshot> <part...>: those parts alike
  local before=$1 after=$2 part; shift 2
  for part in "$@"; do
    if cmp -s "$work/$before-$part" "$work/$after-$part"; then echo "ok: $part as at $before"
    else echo "FAILED: $part as at $before"; failures=$((failures + 1)); diff "$work/$before-$part" "$work/$after-$part" | head -n 20 || true; fi
  done
}
# record <snapshot> <later snapshot> <part> <root>: the class keys added under the root, without
# it, with <folder> for the install folder (and no containers a first registration may make).
record() {
  comm -13 "$work/$1-$3" "$work/$2-$3" | grep -F "[$4\\" | grep -vF "[$4\\Wow6432Node" | cut -c "$((${#4} + 2))-" |
    grep -vixE '\\(CLSID|Interface|TypeLib)]' | sed 's/"[A-Z]:\\\\[^"]*\\\\Scourway/"<folder>/'
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
# windows_folder <variable>: the Linux path of the folder a Windows variable names.
windows_folder() { local p; p=$(wine cmd /c echo "%$1%" | tr -d '\r'); p=${p#?:\\}; echo "$WINEPREFIX/drive_c/${p//\\//}"; }
common_menu="$(windows_folder ProgramData)/Microsoft/Windows/Start Menu/Programs"
user_menu="$(windows_folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
user_program="$(windows_folder LOCALAPPDATA)/Programs/Scourway"
user_uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scourway'
parts=(folders); machine_parts=(folders)
for view in "${views[@]}"; do parts+=("HKLM${view#/reg:}" "HKCU${view#/reg:}"); machine_parts+=("HKLM${view#/reg:}"); done
# The script hosts' first runs write keys of their own: let them, before the snapshot.
printf 'WScript.Echo 1\r\n' > "$work/warm.vbs"
for host in "${hosts[@]}"; do wine "$host" //nologo "$(winpath "$work/warm.vbs")" >/dev/null 2>&1 || true; done
# Windows always has the user's classes key, a fresh prefix not yet.
wine reg add 'HKCU\Software\Classes' /f >/dev/null 2>&1
snapshot clean

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

setup_run() { wine "$setup" /S "$@"; wineserver -w; }
uninstall() { wine "$1/Uninstall.exe" /S "${@:2}"; wineserver -w; }

echo "== for all users, silent"
# The process trace shows the installer's command lines: Wine's icacls does nothing.
WINEDEBUG=trace+process setup_run /ALLUSERS 2> "$work/processes"
snapshot all-installed
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
check "list made the installing user's to modify" \
  grep -qE 'icacls\.exe\\?" \\?"[^"]*\\Scourway\\\\KILL\.LST\\?" /grant \*S-1-5-21-[0-9-]+:\(M\)' "$work/processes"
check "Start-menu shortcut for everyone" test -f "$common_menu/Scourway/Scourway.lnk"
check "uninstall entry" key "$uninstall_key" ${views[0]:+"${views[0]}"}
unchanged clean all-installed "HKCU${views[0]#/reg:}"
installed=$(cd "$program" && find . | sort)

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
uninstall "$program"
check "user's KILL.LST kept" test -f "$program/KILL.LST"
check "nothing else left in the program folder" test "$(ls -A "$program")" = "KILL.LST"
check "shortcut folder removed" test ! -e "$common_menu/Scourway"
for view in "${views[@]}"; do
  check "ProgID removed ${view:-}" absent key 'HKCR\Tollen.Pathwick' ${view:+"$view"}
  check "class removed ${view:-}" absent key "HKCR\\CLSID\\$clsid" ${view:+"$view"}
done
check "uninstall entry removed" absent key "$uninstall_key" ${views[0]:+"${views[0]}"}

echo "== reinstall keeps the list; uninstall /REMOVELIST takes everything"
setup_run /ALLUSERS
check "reinstall kept the user's list" grep -q '^\*\.tmp' "$program/KILL.LST"
uninstall "$program" /REMOVELIST
check "program folder removed" test ! -e "$program"
snapshot all-removed
unchanged clean all-removed "${parts[@]}"

echo "== just for me, silent, the control registered for this user"
setup_run /CURRENTUSER /REGISTER
snapshot user-installed
if [ "$windows" = win64 ]; then
  # Wine's type library registration of each bitness also writes the interfaces into the other
  # view, past the override to the user's classes: the machine's (Windows writes them for the user).
  sed -i -E '/^\[HKEY_LOCAL_MACHINE\\Software\\(Wow6432Node\\)?Classes\\(Wow6432Node\\)?Interface\\\{(BDE9C46D-2BC6-41B1-A07F-BA25B19C291C|EEF7BF18-43B4-4987-9B9E-70B21ACFB02A)\}/d' \
    "$work/user-installed-HKLM64" "$work/user-installed-HKLM32"
fi
unchanged clean user-installed "${machine_parts[@]}"
check "the same files in the user's folder" test "$(cd "$user_program" && find . | sort)" = "$installed"
record_views=("${views[@]}")
if [ "$windows" = win64 ] && cmp -s "$work/user-installed-HKCU64" "$work/user-installed-HKCU32"; then
  echo "not checked: the 64-bit view's user record (this Wine keeps one view of the user's classes: the 32-bit registration, run second, replaces the 64-bit one's paths)"
  record_views=(/reg:32)
fi
for view in "${record_views[@]}"; do
  mine=$(record clean user-installed "HKCU${view#/reg:}" 'HKEY_CURRENT_USER\Software\Classes')
  machines=$(record clean all-installed "HKLM${view#/reg:}" 'HKEY_LOCAL_MACHINE\Software\Classes')
  check "the user's classes hold the control's own record ${view:-}" test -n "$mine" -a "$mine" = "$machines"
done
echo "not checked: a script host creating the control from the user's registration (Wine 8's COM reads the machine's classes only)"
check "Start-menu shortcut for this user" test -f "$user_menu/Scourway/Scourway.lnk"
check "uninstall entry for this user" key "$user_uninstall_key"
printf '*.tmp\r\n' > "$user_program/KILL.LST"
touch "$work/tree/a.tmp"
summary=$(wine "$user_program/Scourway.exe" /AUTO /QUIET /DIR "$(winpath "$work/tree")" | tr -d '\r')
check "the user's program runs with its list: '$summary'" test "$summary" = $'1 total files deleted in 2 directories.\n0 bytes freed.'
uninstall "$user_program" /REMOVELIST
snapshot user-removed
unchanged clean user-removed "${parts[@]}"
check "user's program folder removed" test ! -e "$user_program"
check "user's shortcut folder removed" test ! -e "$user_menu/Scourway"
check "user's uninstall entry removed" absent key "$user_uninstall_key"

echo "== /S alone: just for me, nothing registered; an untouched sample list goes with the program"
setup_run
snapshot default-installed
unchanged clean default-installed "${parts[@]}"
check "installed in the user's folder" test -f "$user_program/Scourway.exe"
uninstall "$user_program"
check "program folder removed with its sample list" test ! -e "$user_program"

if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all installer checks passed ($windows)"
