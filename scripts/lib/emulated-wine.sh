# Sets up, once per machine, the emulated 32-bit half of Wine for hosts whose kernel
# refuses 32-bit code: qemu-i386 from Debian 13's qemu-user package and a private Wine
# loader folder (see wine-loader.sh). Sourced by setup.sh.
#
# The package is only downloaded and unpacked, never installed, through an apt
# configuration of its own, so the host's sources and package state stay untouched.
# Debian 12's qemu-user 7.2 is not used: it crashes multi-threaded 32-bit programs.

QEMU_SUITE=trixie

# The first Debian mirror of the host's own apt sources (not its security archive).
host_debian_mirror() {
  {
    awk '/^URIs:/ { for (i = 2; i <= NF; i++) print $i }' /etc/apt/sources.list.d/*.sources 2>/dev/null
    awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }' \
      /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null
    true  # either kind of sources file may be missing
  } | grep -v security | grep -m1 '/debian/\?$'
}

download_qemu_user() {
  local work=$1 mirror
  mirror=$(host_debian_mirror) || { echo "no Debian mirror in the host's apt sources" >&2; return 1; }
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] ${mirror%/} $QEMU_SUITE main" >"$work/sources.list"
  local apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
                     -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache"
                     -o Dir::State::status=/dev/null -o APT::Sandbox::User=root
                     -o APT::Architecture=amd64 -o APT::Architectures::=amd64)
  apt-get "${apt_options[@]}" -qq update &&
    (cd "$work" && apt-get "${apt_options[@]}" -qq download qemu-user) &&
    dpkg-deb -x "$work"/qemu-user_*.deb "$work/unpacked"
}

ensure_emulated_wine() {
  emulated_wine_ready && return 0
  log "setting up 32-bit Wine under qemu-i386 emulation in $EMULATED_WINE_ROOT"
  local work
  work=$(mktemp -d) || return 1
  if ! download_qemu_user "$work"; then
    rm -rf "$work"
    return 1
  fi
  rm -rf "$EMULATED_WINE_ROOT"
  mkdir -p "$EMULATED_WINE_ROOT/bin" "$EMULATED_WINE_DIR" "$EMULATED_WINE_ROOT/share"
  cp "$work/unpacked/usr/bin/qemu-i386" "$EMULATED_WINE_ROOT/bin/"
  rm -rf "$work"
  # Wine starts a 32-bit program through the `wine` beside its own loader.
  cp /usr/lib/wine/wine64 "$EMULATED_WINE_DIR/wine64"
  cp /usr/lib/wine/wine "$EMULATED_WINE_DIR/wine.elf"
  ln -s /usr/lib/wine/wineserver "$EMULATED_WINE_DIR/wineserver"
  ln -s /usr/lib/i386-linux-gnu "$EMULATED_WINE_ROOT/lib/i386-linux-gnu"
  ln -s /usr/lib/x86_64-linux-gnu "$EMULATED_WINE_ROOT/lib/x86_64-linux-gnu"
  ln -s /usr/share/wine "$EMULATED_WINE_ROOT/share/wine"
  # -0 keeps the script's own path as argv[0], which Wine reads to find its folder. The
  # reserved address space gives the 32-bit process the whole 3 GiB that Wine expects.
  cat >"$EMULATED_WINE_DIR/wine" <<SCRIPT
#!/bin/sh
export QEMU_RESERVED_VA=0xc0000000
exec "$EMULATED_WINE_ROOT/bin/qemu-i386" -0 "\$0" "$EMULATED_WINE_DIR/wine.elf" "\$@"
SCRIPT
  chmod +x "$EMULATED_WINE_DIR/wine"
  if ! "$EMULATED_WINE_DIR/wine" --version >/dev/null 2>&1; then
    echo "the emulated 32-bit Wine loader does not start" >&2
    return 1
  fi
  touch "$EMULATED_WINE_ROOT/.ready"
}
