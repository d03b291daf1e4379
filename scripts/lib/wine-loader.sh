# Which Wine loader folder runs the Windows programs. Sourced by setup.sh and wine-exec.
#
# Where the kernel executes 32-bit code, Debian's own /usr/lib/wine runs everything.
# Where it does not, the 32-bit half runs from a private copy of that folder whose
# `wine` starts the 32-bit loader under qemu-i386 user-mode emulation; its wine64 is the
# host's own and hands every 32-bit program to the `wine` beside it.

KESTROVA_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/kestrova
# Laid out like /usr, so that the loaders find the DLL folders and share/wine one level up.
EMULATED_WINE_ROOT=$KESTROVA_CACHE/wine-i386-emulated
EMULATED_WINE_DIR=$EMULATED_WINE_ROOT/lib/wine

# True where this host can execute 32-bit x86 code natively.
host_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

emulated_wine_ready() { [[ -f $EMULATED_WINE_ROOT/.ready ]]; }

# The loader folder for this host: native Wine, else the emulated one once it is set up,
# else the host's 64-bit-only Wine.
default_wine_dir() {
  if host_runs_32bit || ! emulated_wine_ready; then
    echo /usr/lib/wine
  else
    echo "$EMULATED_WINE_DIR"
  fi
}
