# Shared by tools/run, tools/test, tools/release and bench/run: the packages the project needs, the
# kind of machine, the builds and the Wine prefix. Sourced, not run.

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Whether this machine runs 32-bit (i386) Linux programs, found out by running one: a static i386 ELF of
# 93 bytes whose only instructions are exit(0). Some kernels have IA32 emulation switched off ("Exec
# format error"); the kernel's name does not tell. Sets VELMORA_I386 to yes or no.
probe_i386() {
    local probe="$VELMORA_ROOT/build/.probe-i386"
    mkdir -p "$VELMORA_ROOT/build"
    # ELF header (52 bytes), one loadable segment (32 bytes) at 0x08048000, then
    # xor ebx,ebx; mov eax,1; int 0x80.
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
    printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
    printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$probe"
    printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$probe"
    printf '\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000' >>"$probe"
    printf '\061\333\270\001\000\000\000\315\200' >>"$probe"
    chmod +x "$probe"
    if "$probe" 2>/dev/null; then VELMORA_I386=yes; else VELMORA_I386=no; fi
    rm -f "$probe"
}

# Chooses the build the Wine suites and tools/run use, and says so in one line (not with --quiet).
# Where 32-bit Linux programs run, Wine's 32-bit half runs the 32-bit programs in 32-bit prefixes;
# where they cannot, the 64-bit build of the same sources runs in a 64-bit prefix through the 64-bit
# loader. A developer may ask for the 64-bit way with VELMORA_WINE_BITS=64; asking for 32 where it
# cannot run fails here. Sets VELMORA_WINE_BITS, VELMORA_WINE_SAID (that line), VELMORA_WINE (the
# loader to start programs with), VELMORA_WINE_PRESET (the CMake preset whose programs Wine runs) and
# VELMORA_SANDBOX_PREFIX.
choose_wine_bits() {
    local cannot="This machine cannot run 32-bit Linux programs (Exec format error: the kernel's IA32 emulation is off)"
    probe_i386
    case "${VELMORA_WINE_BITS:-}" in
    "")
        if [ "$VELMORA_I386" = yes ]; then
            VELMORA_WINE_BITS=32
            VELMORA_WINE_SAID="This machine runs 32-bit Linux programs: Wine runs the 32-bit build in a 32-bit prefix."
        else
            VELMORA_WINE_BITS=64
            VELMORA_WINE_SAID="$cannot: Wine runs the 64-bit build of the same sources in a 64-bit prefix."
        fi
        ;;
    32)
        if [ "$VELMORA_I386" != yes ]; then
            echo "VELMORA_WINE_BITS=32 asks for Wine's 32-bit half, but t${cannot#T}." \
                "Leave VELMORA_WINE_BITS unset here, or set it to 64." >&2
            exit 1
        fi
        VELMORA_WINE_SAID="This machine runs 32-bit Linux programs: Wine runs the 32-bit build in a 32-bit prefix."
        ;;
    64)
        if [ "$VELMORA_I386" = yes ]; then
            VELMORA_WINE_SAID="This machine runs 32-bit Linux programs, but VELMORA_WINE_BITS=64: Wine runs the 64-bit build in a 64-bit prefix."
        else
            VELMORA_WINE_SAID="$cannot: Wine runs the 64-bit build of the same sources in a 64-bit prefix."
        fi
        ;;
    *)
        echo "VELMORA_WINE_BITS must be 32 or 64, not '$VELMORA_WINE_BITS'." >&2
        exit 1
        ;;
    esac
    [ "${1:-}" = --quiet ] || echo "$VELMORA_WINE_SAID"
    export VELMORA_WINE_BITS VELMORA_WINE_SAID
    if [ "$VELMORA_WINE_BITS" = 64 ]; then
        # Debian's wine wrapper takes the 32-bit loader whenever wine32 is installed, even where it
        # cannot start: the 64-bit one is named, and WINELOADER makes Wine start its own child processes
        # with it too.
        VELMORA_WINE=/usr/lib/wine/wine64
        export WINELOADER=$VELMORA_WINE
        VELMORA_WINE_PRESET=win64
        VELMORA_SANDBOX_PREFIX="$VELMORA_ROOT/build/wineprefix64"
    else
        VELMORA_WINE=wine
        VELMORA_WINE_PRESET=win32
        VELMORA_SANDBOX_PREFIX="$VELMORA_ROOT/build/wineprefix"
    fi
    export VELMORA_WINE
}

VELMORA_PACKAGES=(
    cmake make g++ libgtest-dev googletest python3
    g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine64 fonts-wine xvfb xauth x11-utils imagemagick halibut
    clang libclang-rt-14-dev
    nsis python3-yaml locales
)

# The Unix locales whose code pages the text scenarios run Wine in (a prefix's ANSI code page follows
# LC_ALL when its wine server starts): 1251 and 932, a double-byte one.
VELMORA_LOCALES=(ru_RU ja_JP)

# Generates those locales where they are missing (as root; without root, says how and fails).
ensure_locales() {
    local name missing=()
    for name in "${VELMORA_LOCALES[@]}"; do
        locale -a 2>/dev/null | grep -qix "$name.utf-\?8" || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Velmora's text scenarios need these locales; make them as root with:" >&2
        for name in "${missing[@]}"; do echo "  localedef -i $name -f UTF-8 $name.UTF-8" >&2; done
        exit 1
    fi
    for name in "${missing[@]}"; do
        localedef -i "$name" -f UTF-8 "$name.UTF-8"
    done
}

# Installs whatever the project needs and this machine lacks; without root, says how and fails. Wine's
# 32-bit half (wine32) comes from Debian's i386 architecture, which is added first; a machine that cannot
# run 32-bit programs gets neither.
ensure_packages() {
    local wanted=("${VELMORA_PACKAGES[@]}") missing=() pkg add_i386=""
    [ "$VELMORA_I386" != yes ] || wanted+=(wine32:i386)
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        ensure_locales
        return 0
    fi
    if [ "$VELMORA_I386" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        add_i386="dpkg --add-architecture i386 && "
    fi
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
    ensure_locales
}

# Configures (once) and builds one preset.
build_preset() {
    local preset=$1
    shift
    (cd "$VELMORA_ROOT" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$(nproc)" "$@")
}

# Says why a prefix cannot be used, and stops.
prefix_failed() {
    echo "Cannot use the Wine prefix $WINEPREFIX: $1" >&2
    exit 1
}

# Wine without installers or debug noise, in the given prefix; the prefix is made on first use.
# The sandbox prefixes under build/ are of the chosen build's width: 32-bit Windows for the 32-bit
# programs, as Windows 95, 98 and NT 4.0 are (one registry view, no WoW64 redirection of the 32-bit
# program's keys), 64-bit for the 64-bit ones. A sandbox prefix of the other width is made again; any
# other prefix is used as it is if it can run the chosen programs, and otherwise left alone with the
# reason. Whatever stops the prefix from working stops the script with its cause.
use_wine_prefix() {
    local arch=win$VELMORA_WINE_BITS version
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if ! version=$("$VELMORA_WINE" --version 2>&1); then
        prefix_failed "the Wine loader $VELMORA_WINE does not start ($version). Is Wine installed" \
            "(tools/run installs it as root)?"
    fi
    case "$WINEPREFIX" in
    "$VELMORA_ROOT"/build/*)
        export WINEARCH=$arch
        if [ -f "$WINEPREFIX/system.reg" ] && ! grep -qx "#arch=$arch" "$WINEPREFIX/system.reg"; then
            echo "The Wine prefix $WINEPREFIX is not a $VELMORA_WINE_BITS-bit one; making it again."
            wineserver -k 2>/dev/null || true
            rm -rf "$WINEPREFIX"
        fi
        ;;
    *)
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            :
        elif [ "$VELMORA_WINE_BITS" = 64 ] && ! grep -qx '#arch=win64' "$WINEPREFIX/system.reg"; then
            prefix_failed "it is a 32-bit prefix, and this run uses the 64-bit build (see above). Use a" \
                "64-bit prefix, or the sandbox prefix."
        elif [ "$VELMORA_WINE_BITS" = 32 ] && ! grep -qx '#arch=win32' "$WINEPREFIX/system.reg" &&
            [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
            prefix_failed "it cannot run 32-bit programs (it was made before wine32 was installed); make" \
                "it again, or use the sandbox prefix."
        fi
        ;;
    esac
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once)..."
        mkdir -p "$WINEPREFIX"
        local log="$VELMORA_ROOT/build/wineboot.log"
        if ! "$VELMORA_WINE" wineboot -i >"$log" 2>&1 || ! wineserver -w; then
            tail -5 "$log" >&2
            rm -rf "$WINEPREFIX"
            prefix_failed "wineboot failed (its output: $log)."
        fi
        if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
            tail -5 "$log" >&2
            rm -rf "$WINEPREFIX"
            prefix_failed "wineboot ended without making it (its output: $log)."
        fi
    fi
}
