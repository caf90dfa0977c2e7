#!/bin/bash
# The road of one train, end to end: starts the real Brenvik under Xvfb in a session bus of its
# own and walks it through the accessibility interface (road_of_one_train.py does the walk).
#
#   run.sh BRENVIK SAMPLEGEN OUTPUT_FOLDER
#
# OUTPUT_FOLDER receives a screenshot per step, the program's log and copies of the files it
# wrote. Exit 0: every step and check passed; 1: a step failed; 77: the system lacks a package
# that the walk needs (Xvfb, D-Bus, AT-SPI, ImageMagick; `make deps` installs them).
set -u

SKIP=77
if [ $# -ne 3 ]; then
    echo "usage: $0 BRENVIK SAMPLEGEN OUTPUT_FOLDER" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
brenvik=$(realpath "$1")
samplegen=$(realpath "$2")
out=$3
# pyatspi is Debian's: the python3 first on PATH may be another install without it.
python=/usr/bin/python3

missing=()
for tool in Xvfb dbus-run-session dbus-update-activation-environment import; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
[ -f /usr/share/dbus-1/services/org.a11y.Bus.service ] || missing+=("at-spi2-core")
"$python" -c 'import gi; gi.require_version("Atspi", "2.0"); import pyatspi' >/dev/null 2>&1 \
    || missing+=("python3-pyatspi")
if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIPPED: missing ${missing[*]} (make deps installs them)"
    exit $SKIP
fi

# Everything below runs inside a session bus of its own, which ends with this script.
if [ -z "${BRENVIK_E2E_SESSION:-}" ]; then
    export BRENVIK_E2E_SESSION=$$
    exec dbus-run-session -- "$0" "$@"
fi

rm -rf "$out"
mkdir -p "$out"
out=$(realpath "$out")
work=$(mktemp -d "${TMPDIR:-/tmp}/brenvik-e2e.XXXXXX")
xvfb_pid=""
walk_pid=""

cleanup() {
    local status=$?
    trap - EXIT INT TERM
    # The walk ends Brenvik itself and then removes its pid file; this is for the paths on which
    # it could not.
    [ -n "$walk_pid" ] && kill "$walk_pid" 2>/dev/null && wait "$walk_pid" 2>/dev/null
    if [ -s "$work/brenvik.pid" ]; then
        local pid
        pid=$(cat "$work/brenvik.pid")
        if kill "$pid" 2>/dev/null; then
            for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
            kill -9 "$pid" 2>/dev/null
        fi
    fi
    if [ -n "$xvfb_pid" ]; then
        if ! kill "$xvfb_pid" 2>/dev/null; then
            wait "$xvfb_pid" 2>/dev/null
            echo "Xvfb had ended before the walk did (exit status $?; see $out/xvfb.log)"
        fi
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number once it takes connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "FAILED: Xvfb did not start (see $out/xvfb.log)"
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
unset XAUTHORITY
# The accessibility bus and its registry are started on demand by this session bus; they must
# know the display, or the input the walk generates goes nowhere.
dbus-update-activation-environment DISPLAY
unset AT_SPI_BUS_ADDRESS
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

echo "Display $DISPLAY, working folder $work, output $out"
# In the background, so that a signal reaches the clean-up at once.
"$python" -B "$here/road_of_one_train.py" --brenvik "$brenvik" --samplegen "$samplegen" \
    --work "$work/folder" --out "$out" --pid-file "$work/brenvik.pid" &
walk_pid=$!
wait "$walk_pid"
status=$?
walk_pid=""
exit $status
