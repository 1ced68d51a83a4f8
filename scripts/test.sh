#!/usr/bin/env bash
# Installs what is missing, then builds twice with warnings as errors and runs
# every test in each build: a normal optimised build, then one under the
# address and undefined-behaviour sanitizers (leaks fail the run too). Where
# LibreOffice is installed, the CSV files go through Calc and back in each
# build; where clang 14 is installed, each fuzz target then runs for a minute.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export QT_QPA_PLATFORM=offscreen

echo "== Normal build"
"$root/scripts/setup.sh" "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON
ctest --test-dir "$root/build-test" --output-on-failure -j"$(nproc)" --timeout 600
command -v soffice >/dev/null ||
    echo "(The LibreOffice Calc round trip of the CSV files was skipped: soffice is not installed.)"

echo "== Formatting and the Debian package"
# Every C++ file as clang-format 14 and .clang-format write it: the tracked
# ones, or outside a git checkout those beside the build folders.
(cd "$root" && { git ls-files -z -- '*.cpp' '*.h' 2>/dev/null ||
    find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0; } |
    xargs -0 clang-format-14 --dry-run --Werror)
# The static checks of .clang-tidy, warnings as errors, on the sources this
# branch changed since it left main (every source with QUORVEL_TIDY=all, or
# where there is no main to compare with), against the normal build's
# compile commands.
(cd "$root" &&
    if [ "${QUORVEL_TIDY:-changed}" != all ] && base=$(git merge-base HEAD main 2>/dev/null); then
        { git diff --name-only "$base" -- '*.cpp'; git ls-files -o --exclude-standard -- '*.cpp'; }
    else
        git ls-files -- '*.cpp' 2>/dev/null || find . -path './build*' -prune -o -name '*.cpp' -print
    fi | { grep -vE '^(\./)?build' || true; } | sort -u |
    while read -r file; do if [ -f "$file" ]; then echo "$file"; fi; done |
    xargs -r -P"$(nproc)" -n4 clang-tidy-14 -p "$root/build-test" --quiet --warnings-as-errors='*')
# Built from the normal build, installed, checked and removed again.
"$root/scripts/check-package.sh" "$root/build-test"

echo "== Sanitizer build"
"$root/scripts/setup.sh" "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_WERROR=ON \
    -DQUORVEL_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$root/tests/lsan.supp":print_suppressions=0 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j"$(nproc)" --timeout 900

if command -v clang++-14 >/dev/null; then
    echo "== Fuzzing"
    "$root/scripts/fuzz.sh" 60
fi
