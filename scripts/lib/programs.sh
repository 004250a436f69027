# Shared by scripts/run and scripts/screenshot: builds the win32 tree and sets
# up the Wine prefix used for running the programs by hand (never the tests' one).
build=${TARNWICK_BUILD_DIR:-$root/build}

# WINDOW_CLASS is the X window class Wine gives the program's own top-level
# windows (its executable's name), so that a wait for it is not fooled by
# another program's window.
prepare_program() {
  case $1 in
    orrery|twyndle|scrivane) export WINDOW_CLASS="$1.exe" ;;
    *) echo "unknown program: $1 (orrery, twyndle or scrivane)" >&2; exit 2 ;;
  esac
  "$root/scripts/setup" >/dev/null
  "$root/scripts/build" win32 >/dev/null
  export TARNWICK_WINEPREFIX=${TARNWICK_WINEPREFIX:-$build/run/wineprefix}
  export TARNWICK_BIN=$build/win32/bin
}

