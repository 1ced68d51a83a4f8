#!/usr/bin/env bash
# Installs what is missing, builds, and renders the planner's windows on the
# sample guild to the PNG files under docs/ that the README shows. Runs on
# Qt's offscreen platform, so no display is needed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_TESTS=OFF
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/quorvel-screenshots" \
    "$root/examples" "$root/docs"
echo "Pictures written to $root/docs."
