#!/usr/bin/env bash
# Installs what is missing, builds, and opens the planner on the sample guild.
# The guild lives in a working folder outside the source tree that persists
# between runs (QUORVEL_GUILD_DIR, by default ~/.local/share/quorvel-guild):
# the first run seeds it with examples/, later runs keep the user's edits.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_TESTS=OFF

guild="${QUORVEL_GUILD_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/quorvel-guild}"
if [ ! -d "$guild" ]; then
    mkdir -p "$guild"
    cp "$root/examples/Virus.dat" "$root/examples/Heroes.dat" "$guild/"
    echo "New guild folder $guild, seeded with the sample guild."
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    # The program reads and writes its data files in the current directory.
    cd "$guild"
    exec "$build/app/quorvel"
fi

echo "No display (DISPLAY and WAYLAND_DISPLAY are unset), so instead of the window: the headless planner on $guild, level 42, led by hero 0, won in 3 rounds withstanding 1 critical hit:"
exec "$build/tools/plan/quorvel-plan" --dir "$guild" --virus 41 --leader 0 --rounds 3 --crits 1
