# Sourced by the project's scripts: the build folder, its private Wine prefix,
# a headless display and the persistent wineserver that keeps Wine starts cheap.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SCOURWAY_BUILD:-$repo/build}
export SCOURWAY_BUILD=$build
export WINEPREFIX=$build/wineprefix
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko download prompts, and no Linux menu entries for shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Starts Xvfb on the first free display number from 90 on and exports DISPLAY.
start_xvfb() {
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  setsid Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$build/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$n
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && return 0; sleep 0.05; done
  echo "Xvfb did not start on :$n (see $build/xvfb.log)" >&2
  return 1
}

stop_xvfb() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

# Creates the prefix on first use; Wine then needs no window manager answer
# (Xvfb has none) and never offers to download Mono or Gecko.
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.scourway-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
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
