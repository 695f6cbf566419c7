# Shared by tools/run and tools/test: the packages the project needs, the builds and the Wine prefix.
# Sourced, not run.

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELMORA_SANDBOX_PREFIX="$VELMORA_ROOT/build/wineprefix"

VELMORA_PACKAGES=(
    cmake make g++ libgtest-dev googletest python3
    g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine64 wine32:i386 fonts-wine xvfb xauth x11-utils imagemagick
    clang libclang-rt-14-dev
)

# Installs whatever the project needs and this machine lacks; without root, says how and fails. Wine's
# 32-bit half (wine32) comes from Debian's i386 architecture, which is added first.
ensure_packages() {
    local missing=() pkg add_i386=""
    for pkg in "${VELMORA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    dpkg --print-foreign-architectures | grep -qx i386 || add_i386="dpkg --add-architecture i386 && "
    if [ "$(id -u)" -ne 0 ]; then
        echo "Velmora needs these Debian packages; install them as root with:" >&2
        echo "  ${add_i386}apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    [ -z "$add_i386" ] || dpkg --add-architecture i386
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
# The sandbox prefixes under build/ are 32-bit Windows, as Windows 95, 98 and NT 4.0 are: one registry
# view, no WoW64 redirection of the 32-bit program's keys. A sandbox prefix that is not (one made by an
# earlier 64-bit build, or before wine32 was installed) is made again. Any other prefix is used as it is
# if it can run 32-bit programs, and otherwise left alone with the reason.
use_wine_prefix() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    case "$WINEPREFIX" in
    "$VELMORA_ROOT"/build/*)
        export WINEARCH=win32
        if [ -f "$WINEPREFIX/system.reg" ] && ! grep -qx '#arch=win32' "$WINEPREFIX/system.reg"; then
            echo "The Wine prefix $WINEPREFIX is not a 32-bit one; making it again."
            wineserver -k 2>/dev/null || true
            rm -rf "$WINEPREFIX"
        fi
        ;;
    *)
        if [ -f "$WINEPREFIX/system.reg" ] && ! grep -qx '#arch=win32' "$WINEPREFIX/system.reg" &&
            [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
            echo "The Wine prefix $WINEPREFIX cannot run 32-bit programs (it was made before wine32 was" >&2
            echo "installed); make it again, or use the sandbox prefix." >&2
            exit 1
        fi
        ;;
    esac
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once)..."
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
}
