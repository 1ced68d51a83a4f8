#!/usr/bin/env bash
# Installs what the build needs (only what is missing) and builds the project.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-missing.sh" cmake g++ make qt6-base-dev libgtest-dev libgmock-dev \
    libbenchmark-dev fonts-wqy-microhei qt6-translations-l10n qt6-l10n-tools qt6-tools-dev xvfb xauth xdotool xclip openbox \
    x11-utils desktop-file-utils appstream dpkg-dev file clang-format-14 clang-tidy-14 git lintian \
    help2man

build_dir=$1
shift
cmake -S "$root" -B "$build_dir" "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
