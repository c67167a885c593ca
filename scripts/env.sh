# Sourced by the run and test scripts: where things are and how Wine is started.
QUILLET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUILLET_OUT=${QUILLET_OUT:-$QUILLET_ROOT/out}
. "$QUILLET_ROOT/scripts/lib/host.bash" || return 1
# The build folder of the program this host tests and starts (out/win32 or out/win64).
QUILLET_BIN=$QUILLET_OUT/$QUILLET_BUILD
if [ "$QUILLET_BUILD" = win32 ]; then WINE=${WINE:-/usr/lib/wine/wine}; else WINE=${WINE:-/usr/lib/wine/wine64}; fi
# The prefix lives in the build folder, never in the user's own ~/.wine; a
# 32-bit and a 64-bit prefix cannot be shared, so each build has its own.
export WINEPREFIX=${WINEPREFIX:-$QUILLET_OUT/wineprefix-$QUILLET_BUILD}
export WINEARCH=$QUILLET_BUILD
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8

# Starts Xvfb on a free display when there is none, and exports DISPLAY. A
# lock left by an X server that is gone (killed with its session) is cleared.
quillet_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n pid
  for n in $(seq 91 250); do
    if [ -e /tmp/.X$n-lock ]; then
      pid=$(tr -dc '0-9' < /tmp/.X$n-lock 2>/dev/null)
      if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then continue; fi
      rm -f /tmp/.X$n-lock /tmp/.X11-unix/X$n
    fi
    [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QUILLET_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  done
  echo "could not start Xvfb" >&2; return 1
}

quillet_stop_display() {
  [ -n "${QUILLET_XVFB_PID:-}" ] && kill "$QUILLET_XVFB_PID" 2>/dev/null || true
}

# Creates the Wine prefix once, with CJK fonts mapped for the Chinese UI: 宋体
# (SimSun) becomes a CJK font with a fixed-width Latin part, as on a Chinese
# Windows; dialog fonts stay proportional. Windows are "unmanaged" so that
# message boxes close at once without a window manager.
quillet_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.quillet-ready-2" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    local reg="$WINEPREFIX/fonts.reg"
    cat > "$reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"SimSun"="WenQuanYi Zen Hei Mono"
"NSimSun"="WenQuanYi Zen Hei Mono"
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"
"Tahoma"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
    "$WINE" regedit "$reg" >/dev/null 2>&1 || true
    # The Chinese name of 宋体 maps too (Wine reads its arguments in the locale's UTF-8).
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "宋体" /d "WenQuanYi Zen Hei Mono" /f >/dev/null 2>&1 || true
    "$(dirname "$WINE")/wineserver" -w 2>/dev/null || true
    touch "$WINEPREFIX/.quillet-ready-2"
  fi
}

# Ends the prefix's wineserver (and with it any program left running in it).
quillet_stop_wine() {
  "$(dirname "$WINE")/wineserver" -k 2>/dev/null || true
}
