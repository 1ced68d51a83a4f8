#!/usr/bin/env bash
# Opens the editors under a virtual X server with a real window manager
# (openbox), which frames windows after they are mapped, and checks their
# outer sizes, frame included. Exits 77 (skipped) where Xvfb, openbox or
# xprop is missing.
#
# Usage: editor_sizes_test.sh EDITOR_SIZES_EXECUTABLE
set -euo pipefail

program=$(realpath "$1")

for tool in Xvfb openbox xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"
        exit 77
    fi
done

scratch=$(mktemp -d)
xvfb_pid=
wm_pid=
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

# The server picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || fail "the virtual X server did not start"
export DISPLAY=":$(cat "$scratch/display")"
export XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime"
export HOME="$scratch"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
wm_pid=$!
# The window manager is ready once it names itself on the root window.
for _ in $(seq 100); do
    kill -0 "$wm_pid" 2>/dev/null || fail "openbox did not start: $(cat "$scratch/openbox.log")"
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    fail "openbox does not manage the screen"

QT_QPA_PLATFORM=xcb "$program"
