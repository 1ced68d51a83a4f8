#!/usr/bin/env bash
# Installs what is missing, builds, and opens the planner on the sample guild.
# The guild lives in a working folder outside the source tree that persists
# between runs; the launcher the installed desktop entry starts picks it and
# seeds it on first use (see packaging/quorvel-launch.in), here with this
# build's program and examples/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_TESTS=OFF

export QUORVEL_PROGRAM="$build/app/quorvel" QUORVEL_SAMPLE_GUILD="$root/examples"
launcher="$build/packaging/quorvel-launch"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$launcher"
fi

guild=$("$launcher" --folder)
echo "No display (DISPLAY and WAYLAND_DISPLAY are unset), so instead of the window: the headless planner on $guild, level 42, led by hero 0, won in 3 rounds withstanding 1 critical hit:"
exec "$build/tools/plan/quorvel-plan" --dir "$guild" --virus 41 --leader 0 --rounds 3 --crits 1
