# Shared by tools/run and tools/test: the packages the project needs, the builds and the Wine prefix.
# Sourced, not run.

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELMORA_SANDBOX_PREFIX="$VELMORA_ROOT/build/wineprefix"

VELMORA_PACKAGES=(
    cmake make g++ libgtest-dev googletest python3
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
    clang libclang-rt-14-dev
)

# Installs whatever the project needs and this machine lacks; without root, says how and fails.
ensure_packages() {
    local missing=() pkg
    for pkg in "${VELMORA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Velmora needs these Debian packages; install them as root with:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds one preset.
build_preset() {
    local preset=$1
    shift
    (cd "$VELMORA_ROOT" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$(nproc)" "$@")
}

# Wine without installers or debug noise, in the given prefix; the prefix is made on first use.
use_wine_prefix() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once)..."
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
}
