# shellcheck shell=bash
# Shared by scripts/test and scripts/demo (sourced, not run): configuring and
# building, a private Xvfb display, and a project-local Wine prefix served by one
# persistent wineserver. Everything started here is stopped by session_stop, by
# process id or through wineserver -k; nothing is killed by name.

VORLINDE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${VORLINDE_BUILD_DIR:-build}
[[ $build_dir == /* ]] || build_dir=$VORLINDE_ROOT/$build_dir

xvfb_pid=
wine_started=
watchdog_pid=

# Configures (when there is no complete configuration yet) and builds the
# project in $build_dir; later configuration changes are picked up by the build.
configure_and_build() {
  if [[ ! -f $build_dir/build.ninja ]]; then
    cmake -S "$VORLINDE_ROOT" -B "$build_dir" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$VORLINDE_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  fi
  # One job per core (VORLINDE_JOBS overrides); ninja's default runs more.
  cmake --build "$build_dir" --parallel "${VORLINDE_JOBS:-$(nproc)}"
}

# Starts Xvfb on the first free display number from 90 up and exports DISPLAY.
# A display is free when neither its lock file nor its socket exists; if another
# server takes the number first, Xvfb exits and the next number is tried.
start_xvfb() {
  local width_height=${1:-1280x800} n tries
  for ((n = 90; n < 190; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 "${width_height}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for ((tries = 0; tries < 50; tries++)); do
      if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        break
      fi
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  echo "no free X display found for Xvfb" >&2
  return 1
}

# Starts a persistent wineserver for the project-local prefix (creating the
# prefix on first use), then Wine's background services with their output sent
# to /dev/null: they outlive the program that started them, and if they held
# ctest's output pipes, ctest would wait for them forever.
start_wine() {
  export WINEPREFIX=$build_dir/wineprefix
  export WINEDEBUG=-all
  unset WINEARCH
  local fresh=
  [[ -f $WINEPREFIX/system.reg ]] || fresh=1
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1
  wine_started=1
  if [[ -n $fresh ]]; then
    echo "Creating the Wine prefix $WINEPREFIX (about 10 s)"
    wineboot -i >"$build_dir/wineboot.log" 2>&1
    # A new prefix works fully only after one restart of its server: before it, the
    # running-object table (rpcss) waits half a minute and fails in every process.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1
  fi
  link_wine_fonts
  wine cmd /c exit >/dev/null 2>&1
}

# Starts the session keeper (tests/support/SessionKeeper.cpp), when it was built, so that
# Wine's desktop process lives for the whole session: otherwise it ends after every idle spell
# (a long test, a benchmark) and is started again by the next test process, whose output pipe
# it then holds for up to 20 s after that test ended, for every test that follows.
keep_desktop_alive() {
  local keeper=$build_dir/tests/session_keeper.exe
  [[ -f $keeper ]] || return 0
  wine "$keeper" >/dev/null 2>&1 &
  disown
}

# Debian's Wine does not load its own fonts (package fonts-wine, in
# /usr/share/wine/fonts): text falls back to DejaVu and the caption buttons show
# letters instead of Marlett glyphs. Linking them into the prefix's Fonts folder
# gives Wine's Tahoma, MS Sans Serif and Marlett, as on Windows.
link_wine_fonts() {
  local fonts_dir=$WINEPREFIX/drive_c/windows/Fonts font
  [[ -d /usr/share/wine/fonts && -d $fonts_dir ]] || return 0
  for font in /usr/share/wine/fonts/*; do
    [[ -e $fonts_dir/${font##*/} ]] || ln -s "$font" "$fonts_dir/"
  done
}

# Chooses whether Wine lets an X window manager handle its top-level windows.
# On a bare Xvfb there is no window manager, and Wine then waits 2 s for every
# managed window it hides or destroys (its wait for the "withdrawn" state times
# out). Unmanaged windows skip that wait; focus, keyboard and mouse input still
# work. The demo uses Wine's defaults, so that on a real display the window
# manager can move the virtual desktop window.
#
# Each Wine process reads the setting once, when it starts. Wine's desktop
# process (explorer.exe, which also runs the notification area) is already
# running by the time the value can be written, so a change of the value
# restarts the session's wineserver and services: otherwise, in a new prefix, the
# notification area's windows stay managed for the whole session and every
# tray-icon removal (each test that creates the main window) waits those 2 s.
set_wine_managed_windows() {
  local key='HKCU\Software\Wine\X11 Driver' current=yes
  if wine reg query "$key" /v Managed 2>/dev/null | grep -q 'REG_SZ[[:space:]]*N'; then
    current=no
  fi
  [[ $current == "$1" ]] && return 0
  if [[ $1 == no ]]; then
    wine reg add "$key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  else
    wine reg delete "$key" /v Managed /f >/dev/null 2>&1 || true
  fi
  restart_wineserver
}

# Stops every Wine process of the session and starts the server and the
# background services again (output to /dev/null, as in start_wine).
restart_wineserver() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit >/dev/null 2>&1
}

# Cleans up even if the script itself is killed (SIGKILL, a timeout): a small
# background process waits for the script to disappear, then stops this
# session's wineserver and Xvfb. session_stop ends it on the normal path.
start_watchdog() {
  local script_pid=$$ prefix=${WINEPREFIX:-} xvfb=$xvfb_pid
  (
    trap '' INT HUP
    trap 'exit 0' TERM
    while kill -0 "$script_pid" 2>/dev/null; do sleep 1; done
    [[ -n $prefix ]] && WINEPREFIX=$prefix wineserver -k
    [[ -n $xvfb ]] && kill "$xvfb"
  ) </dev/null >/dev/null 2>&1 &
  watchdog_pid=$!
}

session_stop() {
  if [[ -n $watchdog_pid ]]; then
    kill "$watchdog_pid" 2>/dev/null || true
    watchdog_pid=
  fi
  if [[ -n $wine_started ]]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wine_started=
  fi
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}
