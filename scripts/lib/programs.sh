# Shared by scripts/run and scripts/screenshot: builds the win32 tree and sets
# up the Wine prefix used for running the programs by hand (never the tests' one).
build=${TARNWICK_BUILD_DIR:-$root/build}

prepare_program() {
  case $1 in
    orrery) export TITLE_PATTERN='Orrery' ;;
    twyndle) export TITLE_PATTERN='Twyndle|Juxta|Scrivane' ;;
    *) echo "unknown program: $1 (orrery or twyndle)" >&2; exit 2 ;;
  esac
  "$root/scripts/setup" >/dev/null
  "$root/scripts/build" win32 >/dev/null
  export TARNWICK_WINEPREFIX=${TARNWICK_WINEPREFIX:-$build/run/wineprefix}
  export TARNWICK_BIN=$build/win32/bin
}

