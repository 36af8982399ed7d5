# Shared by run.sh, test.sh and bench.sh: build, display and Wine helpers.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build="${TLK_BUILD:-$root/build}"
export WINEPREFIX="$build/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

tlk_build() {
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j "$(nproc)"
}

# Leftover instances from an earlier run confuse window look-ups.
tlk_stop_wine() {
    timeout 30 wineserver -k 2>/dev/null || true
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
