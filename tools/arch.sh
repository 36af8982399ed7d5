# Which Windows architecture this machine builds and tests: sourced by
# common.sh and setup.sh (and by the test of these rules).
#
# What users get is always 32-bit (i686): it runs on every Windows. The tests
# run those programs under Wine, and 32-bit Wine needs a kernel that runs
# 32-bit Linux programs, which not every machine has. Where it cannot, the
# same sources are built and tested for x86_64 under 64-bit Wine.

# Runs a tiny 32-bit x86 Linux program (an ELF file that only exits with
# status 7) and prints "yes" when it ran, "no" otherwise. Asking the kernel
# by running something is the only reliable test: machines with the same
# kernel name and version differ.
tlk_probe_32bit() {
    local dir probe status
    dir=$(mktemp -d)
    probe="$dir/probe32"
    # ELF header (52 bytes), one loadable segment (32 bytes), then
    # mov eax,1; mov ebx,7; int 0x80.
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
    printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
    printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000' >>"$probe"
    printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010' >>"$probe"
    printf '\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000' >>"$probe"
    printf '\000\020\000\000\270\001\000\000\000\273\007\000\000\000\315\200' >>"$probe"
    chmod +x "$probe"
    status=0
    "$probe" 2>/dev/null || status=$?
    rm -rf "$dir"
    if [ "$status" = 7 ]; then echo yes; else echo no; fi
}

# tlk_decide_arch REQUESTED CAN_RUN_32BIT: prints the architecture to build
# and test. REQUESTED is what TLK_ARCH says (may be empty); CAN_RUN_32BIT is
# what tlk_probe_32bit found. Prints one line to stderr and fails when the
# request cannot be met.
tlk_decide_arch() {
    local requested=$1 can32=$2
    case "$requested" in
    "")
        if [ "$can32" = yes ]; then echo i686; else echo x86_64; fi ;;
    i686)
        if [ "$can32" = yes ]; then
            echo i686
        else
            echo "TLK_ARCH=i686: this machine cannot run 32-bit programs, so 32-bit Wine cannot start; use TLK_ARCH=x86_64 (or leave it unset)" >&2
            return 1
        fi ;;
    x86_64) echo x86_64 ;;
    *)
        echo "TLK_ARCH=$requested: not an architecture this project builds (i686 or x86_64)" >&2
        return 1 ;;
    esac
}

# Why the choice fell as it did, for the scripts' first line.
tlk_arch_reason() {
    local arch=$1 requested=$2
    if [ -n "$requested" ]; then echo "chosen with TLK_ARCH"
    elif [ "$arch" = i686 ]; then echo "this machine runs 32-bit programs"
    else echo "this machine runs no 32-bit programs"
    fi
}
