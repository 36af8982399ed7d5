# Shared by run.sh, test.sh and bench.sh: build, display and Wine helpers.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build="${TLK_BUILD:-$root/build}"
source "$here/arch.sh"
# The architecture: TLK_ARCH, or what this machine can run. A request this
# machine cannot meet stops here, with its reason.
if [ -z "${TLK_ARCH_RESOLVED:-}" ]; then
    export TLK_ARCH_REQUESTED="${TLK_ARCH:-}"
    TLK_ARCH_RESOLVED=$(tlk_decide_arch "${TLK_ARCH:-}" "$(tlk_probe_32bit)") || exit 1
fi
export TLK_ARCH="$TLK_ARCH_RESOLVED" TLK_ARCH_RESOLVED
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine names files in the locale's character set: only a UTF-8 locale
# reaches names of every script. C.UTF-8 keeps Wine's code page at 1252.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
*[Uu][Tt][Ff]-8* | *[Uu][Tt][Ff]8*) ;;
*) unset LC_ALL LC_CTYPE; export LANG=C.UTF-8 ;;
esac

# tlk_begin WHAT [setup.sh options]: says what this command does for which
# architecture and why, then installs what is missing.
tlk_begin() {
    local what=$1
    shift
    echo "$what: $TLK_ARCH ($(tlk_arch_reason "$TLK_ARCH" "${TLK_ARCH_REQUESTED:-}"))"
    "$here/setup.sh" "$@"
}

# The matching Wine commands (see wine-run.sh).
tlk_wine() { "$here/wine-run.sh" "$@"; }
tlk_winepath() { "$here/wine-run.sh" --path "$@" 2>/dev/null; }

# Configures (once per architecture: a build folder of the other one is
# configured afresh) and builds.
tlk_configure() {
    local dir=$1 arch=$2
    shift 2
    local cache="$dir/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -qx "TLK_ARCH:INTERNAL=$arch" "$cache"; then
        echo "build: $dir was configured for another architecture; configuring it for $arch"
        rm -rf "$cache" "$dir/CMakeFiles"
    fi
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
          -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}
tlk_build() {
    tlk_configure "$build" "$TLK_ARCH"
    cmake --build "$build" -j "$(nproc)"
}

# Leftover instances from an earlier run confuse window look-ups.
tlk_stop_wine() {
    timeout 30 "$here/wine-run.sh" --server -k 2>/dev/null || true
}
# Lets the last programs end, then stops the server.
tlk_end_wine() {
    timeout 30 "$here/wine-run.sh" --server -w 2>/dev/null || "$here/wine-run.sh" --server -k 2>/dev/null || true
}

tlk_xvfb_pid=""
tlk_start_xvfb() {
    local n
    for n in $(seq 91 120); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            tlk_xvfb_pid=$!
            export DISPLAY=":$n"
            for _ in $(seq 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && return 0
                sleep 0.1
            done
        fi
    done
    echo "could not start Xvfb" >&2
    return 1
}

tlk_stop_xvfb() {
    if [ -n "$tlk_xvfb_pid" ]; then
        kill "$tlk_xvfb_pid" 2>/dev/null || true
        wait "$tlk_xvfb_pid" 2>/dev/null || true
        tlk_xvfb_pid=""
    fi
}
