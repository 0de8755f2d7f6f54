# Shared by tools/test, tools/demo and the benchmarks: build configuration,
# the project-local Wine prefix, one wineserver per run and a private Xvfb.
# Meant to be sourced; every function keeps to the folders it is given.

VARN_WINE32=/usr/lib/wine/wine
VARN_WINE64=/usr/lib/wine/wine64

# True when Wine's 32-bit loader can start here (some kernels cannot run 32-bit programs).
varn_can_run_32bit() {
  [ -x "$VARN_WINE32" ] && "$VARN_WINE32" --version >/dev/null 2>&1
}

varn_loader_for() {
  if [ "$1" = i686 ]; then echo /usr/bin/wine; else echo "$VARN_WINE64"; fi
}

# varn_configure_build <source> <build> <arch>
varn_configure_build() {
  local src=$1 build=$2 arch=$3
  local jobs; jobs=$(nproc 2>/dev/null || echo 2)
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-toolchain.cmake" -DVARN_ARCH="$arch" \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$(varn_loader_for "$arch")" >/dev/null
  fi
  cmake --build "$build" -j "$jobs"
}

# varn_wine_env <state folder> <arch>: exports the environment of a private prefix.
varn_wine_env() {
  local state=$1 arch=$2
  mkdir -p "$state/home"
  export WINEPREFIX="$state/prefix"
  # The prefix links Desktop and Documents to $HOME: keep them inside the state folder.
  export HOME="$state/home"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export VARN_WINE_LOADER; VARN_WINE_LOADER=$(varn_loader_for "$arch")
  export LC_ALL=C.UTF-8
}

varn_wine() { "$VARN_WINE_LOADER" "$@"; }

# Creates the prefix once: wineboot, then font replacements for the skin's CJK faces.
varn_prepare_prefix() {
  [ -f "$WINEPREFIX/.varn-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  "$VARN_WINE64" wineboot -i >/dev/null 2>&1
  local face
  for face in "Microsoft YaHei" "微软雅黑" "SimSun" "宋体" "NSimSun" "新宋体"; do
    "$VARN_WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
      /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.varn-ready"
}

# One persistent wineserver for the run. Wine's own service processes are started here,
# with their output closed: started by a test, they would inherit its output pipe and keep
# the test runner waiting for it to close.
varn_start_wineserver() {
  # Exit status 2 means a server for this prefix is already running: that one serves.
  wineserver -p 2>/dev/null || true
  "$VARN_WINE64" wineboot </dev/null >/dev/null 2>&1
}
varn_stop_wineserver() { wineserver -k 2>/dev/null || true; }

VARN_XVFB_PID=""
# Starts Xvfb on the first free display and exports DISPLAY.
varn_start_xvfb() {
  local n
  for n in $(seq 90 250); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    VARN_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$VARN_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$VARN_XVFB_PID" 2>/dev/null || true
    VARN_XVFB_PID=""
  done
  echo "no free X display" >&2
  return 1
}

varn_stop_xvfb() {
  if [ -n "$VARN_XVFB_PID" ]; then
    kill "$VARN_XVFB_PID" 2>/dev/null || true
    wait "$VARN_XVFB_PID" 2>/dev/null || true
    VARN_XVFB_PID=""
  fi
}
