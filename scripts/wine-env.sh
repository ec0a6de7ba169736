# Sourced by the project's scripts: the build folders (one per architecture, each
# with its private Wine prefix), a headless display and the persistent wineserver
# that keeps Wine starts cheap.
#   $builds          the top build folder ($SCOURWAY_BUILD or ./build)
#   use_arch x86|x64 selects $build=$builds/<arch>, its prefix and the Wine for it
#   runnable_archs   the architectures this machine can run, said in one line
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
builds=${SCOURWAY_BUILD:-$repo/build}
export SCOURWAY_BUILD=$builds
export WINEDEBUG=-all
# No Mono or Gecko download prompts, and no Linux menu entries for shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64
all_archs="x86 x64"

# Points $build, the prefix and `wine` at one architecture. x86 runs in a win32
# prefix through Debian's wine (the 32-bit loader); x64 in a win64 prefix of its
# own through the 64-bit loader, which also works where 32-bit code cannot run
# (Debian's /usr/bin/wine always starts the 32-bit loader when it is installed).
use_arch() {
  arch=$1
  build=$builds/$arch
  export WINEPREFIX=$build/wineprefix
  case $arch in
    x86) export WINEARCH=win32; unset WINELOADER ;;
    x64) export WINEARCH=win64 WINELOADER=$wine64_loader ;;
    *) echo "unknown architecture '$arch' (x86 or x64)" >&2; return 1 ;;
  esac
}

# The Wine that runs the selected architecture's programs; `wine` in these scripts
# and ctest's emulator both go through it.
wine_command() {
  if [ "${WINEARCH:-}" = win64 ]; then echo "$wine64_loader"; else echo /usr/bin/wine; fi
}
wine() { "$(wine_command)" "$@"; }

# Prints the architectures whose programs this machine runs, and says in one line
# on standard error when x86 is left out and why. SCOURWAY_ARCHS overrides the
# probe (for example SCOURWAY_ARCHS=x64 shows what a 64-bit-only machine does).
runnable_archs() {
  if [ -n "${SCOURWAY_ARCHS:-}" ]; then
    echo "Architectures chosen by SCOURWAY_ARCHS: $SCOURWAY_ARCHS" >&2
    echo "$SCOURWAY_ARCHS"
    return
  fi
  local why
  if [ ! -e "$wine32_loader" ]; then
    echo "The 32-bit Wine is not installed ($wine32_loader is missing): the x86 programs are built but their tests and runs are skipped; x64 only." >&2
    echo "x64"
  elif why=$("$wine32_loader" --version 2>&1); then
    echo "$all_archs"
  else
    echo "This machine cannot execute 32-bit code ('$wine32_loader --version': ${why##*: }): the x86 programs are built but their tests and runs are skipped; x64 only." >&2
    echo "x64"
  fi
}

# Starts Xvfb on the first free display number from 90 on and exports DISPLAY.
start_xvfb() {
  local n=90
  mkdir -p "$builds"
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  setsid Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$builds/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$n
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && return 0; sleep 0.05; done
  echo "Xvfb did not start on :$n (see $builds/xvfb.log)" >&2
  return 1
}

stop_xvfb() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

# Creates the selected architecture's prefix on first use; Wine then needs no
# window manager answer (Xvfb has none) and never offers to download Mono or Gecko.
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.scourway-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot.exe -i >/dev/null 2>&1 ||
      { echo "Wine could not create the $arch prefix $WINEPREFIX" >&2; return 1; }
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.scourway-ready"
  fi
  # Debian's Wine does not look in /usr/share/wine/fonts: without these the dialog
  # fonts (MS Sans Serif) fall back to wider faces and Marlett's glyphs are missing.
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

# The first Wine program of a server starts Wine's services and desktop, which
# live as long as the server and inherit that program's output: a warm-up with
# no output keeps them from holding a test runner's pipe open.
start_wineserver() {
  # wineserver forks into the background once its socket is ready.
  setsid wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wineserver() {
  wineserver -k >/dev/null 2>&1 || true
}

# Linux path to the Windows path Wine sees (Z: is /).
winpath() {
  local p
  p=$(readlink -f "$1")
  printf 'Z:%s' "${p//\//\\}"
}
