#!/usr/bin/env bash
# Installs what is missing, builds, and renders the planner's windows on the
# sample guild to the PNG files under docs/ that the README shows. Runs on
# Qt's offscreen platform, so no display is needed, with a 1920 × 1200 screen
# (windows are kept inside their screen). QT_SCALE_FACTOR=2 renders them at
# twice the scale, as on a high-density screen; OUT_DIR writes elsewhere.
# The English pictures go to the folder en/ inside it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_TESTS=OFF
out=${OUT_DIR:-$root/docs}
mkdir -p "$out"
QT_QPA_PLATFORM="offscreen:configfile=$root/tools/screenshots/screen.json" \
    "$build/tools/screenshots/quorvel-screenshots" "$root/examples" "$out"
QT_QPA_PLATFORM="offscreen:configfile=$root/tools/screenshots/screen.json" \
    "$build/tools/screenshots/quorvel-screenshots" "$root/examples" "$out/en" en
echo "Pictures written to $out."
