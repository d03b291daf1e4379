# Shared set-up of scripts/run and scripts/test: packages, Wine prefix, virtual display.
# Sourced, not run. Everything here is idempotent, so a second run reuses what the first made.

KESTROVA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$KESTROVA_ROOT/scripts/lib/wine-loader.sh"
source "$KESTROVA_ROOT/scripts/lib/emulated-wine.sh"
export WINEPREFIX="$KESTROVA_ROOT/build/wine-prefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs, and a crashing test ends instead of waiting in the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export KESTROVA_WINE_DIR=${KESTROVA_WINE_DIR:-/usr/lib/wine}
WINE64=$KESTROVA_WINE_DIR/wine64

log() { printf '\n== %s\n' "$*"; }

# Installs the packages named, or without arguments those that building and testing need.
install_packages() {
  local want=("$@")
  ((${#want[@]})) || want=(cmake ninja-build g++ make googletest
                           g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
                           mingw-w64-i686-dev mingw-w64-x86-64-dev
                           wine wine64 wine32 xvfb xdotool x11-utils imagemagick
                           nsis zip unzip openssl python3 python3-yaml osslsigncode
                           libgnutls30:i386)
  local missing=()
  for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  log "installing: ${missing[*]}"
  # wine32 is Wine's 32-bit half and lives in the i386 architecture; so does the TLS library
  # whose ECDSA the 32-bit Wine's CNG verifies update signatures with.
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  local attempt
  for attempt in 1 2 3; do
    apt-get update -qq &&
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null &&
      return 0
    echo "package installation failed (attempt $attempt), retrying" >&2
    sleep 10
  done
  return 1
}

# Chooses the build whose Windows programs run, and the Wine that runs them. Sets
# WINDOWS_PRESET, WINDOWS_HOW (how the 32-bit build ran, for the closing line),
# KESTROVA_WINE_DIR and WINE64. The shipped 32-bit build runs natively where the kernel
# allows it, else under emulation; KESTROVA_WINDOWS_BUILD=x86_64 runs the 64-bit build.
choose_windows_build() {
  WINDOWS_PRESET=mingw-i686
  KESTROVA_WINE_DIR=/usr/lib/wine
  if [[ ${KESTROVA_WINDOWS_BUILD:-} == x86_64 ]]; then
    WINDOWS_PRESET=mingw-x86_64
    WINDOWS_HOW="the 64-bit build ran, as KESTROVA_WINDOWS_BUILD=x86_64 asked; the 32-bit build was not run"
  elif host_runs_32bit; then
    WINDOWS_HOW="the shipped 32-bit build ran natively"
  elif ensure_emulated_wine; then
    KESTROVA_WINE_DIR=$EMULATED_WINE_DIR
    WINDOWS_HOW="the shipped 32-bit build ran under emulation (qemu-i386), as this host cannot execute 32-bit code"
  else
    WINDOWS_PRESET=mingw-x86_64
    WINDOWS_HOW="WARNING: the shipped 32-bit build was NOT run: this host cannot execute 32-bit code and the qemu-i386 emulator could not be set up, so the 64-bit build ran instead"
  fi
  export KESTROVA_WINE_DIR
  WINE64=$KESTROVA_WINE_DIR/wine64
}

# A prefix made by a Wine that runs 32-bit programs has their half (syswow64) too; one
# made by the host's 64-bit-only Wine does not and is made again when the 32-bit half
# is wanted.
ensure_wine_prefix() {
  local with_32bit=no marker
  [[ $KESTROVA_WINE_DIR != /usr/lib/wine ]] || host_runs_32bit && with_32bit=yes
  [[ $with_32bit == yes ]] && marker=.kestrova-win10-wow64 || marker=.kestrova-win10
  [[ -f "$WINEPREFIX/$marker" || -f "$WINEPREFIX/.kestrova-win10-wow64" ]] && return 0
  log "creating Wine prefix $WINEPREFIX (Windows 10)"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  WINEARCH=win64 "$WINE64" wineboot -i >/dev/null 2>&1
  # winecfg also sets the version numbers the registry reports, not only Wine's own.
  "$WINE64" winecfg -v win10 >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/$marker"
}

stop_wine() { /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; }

# Starts Xvfb on the first free display unless one is given; exports DISPLAY.
KESTROVA_XVFB_PID=
start_virtual_display() {
  # A Wine server still running for this prefix would put every window on the display
  # it started with, not on this one.
  stop_wine
  local n=90
  while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  KESTROVA_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

stop_virtual_display() {
  [[ -n $KESTROVA_XVFB_PID ]] || return 0
  kill "$KESTROVA_XVFB_PID" 2>/dev/null || true
  wait "$KESTROVA_XVFB_PID" 2>/dev/null || true
  KESTROVA_XVFB_PID=
}

# Prints each test the last ctest run of a build skipped, with the reason the test gave.
print_skipped_tests() {
  local log="$1/Testing/Temporary/LastTest.log"
  [[ -f $log ]] || return 0
  awk '/: Skipped$/ { getline reason; next }
       /^\[  SKIPPED \] .* \([0-9]+ ms\)$/ { sub(/^\[  SKIPPED \] /, ""); sub(/ \([0-9]+ ms\)$/, "");
                                          print "  skipped: " $0 ": " reason }' "$log"
}

configure_and_build() {
  local preset=$1; shift
  # Where ccache is installed, builds of the same sources in another checkout reuse
  # each other's objects.
  local launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$KESTROVA_ROOT CCACHE_NOHASHDIR=true
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake --preset "$preset" "${launcher[@]}" >/dev/null || return 1
  cmake --build --preset "$preset" "$@"
}

# The Windows path under which Wine sees a file of the project.
winepath_of() { echo "Z:$(realpath "$1" | tr '/' '\\')"; }
