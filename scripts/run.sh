#!/usr/bin/env bash
# Installs what is missing, builds, and plans a team for the sample guild.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_TESTS=OFF
planner="$build/tools/plan/quorvel-plan"
echo "Sample guild, level 5, led by hero 0, won in 3 rounds withstanding 1 critical hit:"
"$planner" --dir "$root/examples" --virus 4 --leader 0 --rounds 3 --crits 1
