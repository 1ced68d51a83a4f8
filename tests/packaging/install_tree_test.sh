#!/usr/bin/env bash
# `cmake --install` of the build into a throw-away prefix: exactly the files
# a desktop needs, valid desktop entry and AppStream metadata, and programs
# that run from the installed paths (the planner on the installed sample
# guild, the launcher seeding a new guild folder from it).
#
# Usage: install_tree_test.sh CMAKE BUILD_DIR APP_ID VERSION
# Exits 77 (skipped) where desktop-file-validate or appstreamcli is missing.
set -euo pipefail
# The texts checked here are the Chinese ones: the programs speak it under
# the C locale, whatever language the machine running the tests prefers.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES

cmake=$1
build=$2
app_id=$3
version=$4
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"
        exit 77
    fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAILED: $*"
    exit 1
}

prefix="$scratch/prefix with space"
"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
    fail "cmake --install failed: $(cat "$scratch/install.log")"

expected=(
    bin/quorvel bin/quorvel-launch bin/quorvel-plan bin/quorvel-roster
    "share/applications/$app_id.desktop"
    share/doc/quorvel/changelog.gz share/doc/quorvel/copyright
    "share/metainfo/$app_id.metainfo.xml"
    share/quorvel/examples/Heroes.dat share/quorvel/examples/Virus.dat
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
# The manual pages are made where help2man is installed (scripts/setup.sh
# installs it).
if command -v help2man >/dev/null; then
    for program in quorvel quorvel-launch quorvel-plan quorvel-roster; do
        expected+=("share/man/man1/$program.1.gz")
    done
fi
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) ||
    fail "the installed files differ from the expected ones (< expected, > installed)"

for program in quorvel quorvel-plan quorvel-launch quorvel-roster; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
    if command -v help2man >/dev/null; then
        page="$prefix/share/man/man1/$program.1.gz"
        zcat "$page" | grep -q '^\.SH OPTIONS' || fail "the manual page of $program lists no options"
        zcat "$page" | grep -qF '\-\-version' || fail "the manual page of $program lacks --version"
    fi
done
zcat "$prefix/share/doc/quorvel/changelog.gz" | head -n 1 | grep -qx "quorvel ($version) unstable; urgency=medium" ||
    fail "the changelog does not open with $version: $(zcat "$prefix/share/doc/quorvel/changelog.gz" | head -n 1)"
for size in 16 22 24 32 48 64 128 256; do
    file "$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png" | grep -q "PNG image data, $size x $size" ||
        fail "the ${size}x$size icon is not a $size-pixel PNG"
done
cmp -s "$prefix/share/doc/quorvel/copyright" "$(dirname "$0")/../../LICENSE" || fail "the licence is not installed"

desktop="$prefix/share/applications/$app_id.desktop"
desktop-file-validate "$desktop" >"$scratch/validate.log" 2>&1 || fail "desktop entry: $(cat "$scratch/validate.log")"
grep -q ': error:' "$scratch/validate.log" && fail "desktop entry: $(cat "$scratch/validate.log")"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry names another icon"
# One main category: a planner, not a game.
[ "$(sed -n 's/^Categories=//p' "$desktop")" = "Utility;" ] || fail "categories: $(grep ^Categories= "$desktop")"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_program" ] || fail "the desktop entry starts $exec_program, which is not installed"

metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate --pedantic --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
    fail "metainfo: $(cat "$scratch/appstream.log")"
# Every installed program is named, and no web address is promised.
for program in "$prefix"/bin/*; do
    grep -q "<binary>$(basename "$program")</binary>" "$metainfo" ||
        fail "the metainfo does not provide $(basename "$program")"
done
! grep -q 'https\?://' "$metainfo" "$desktop" || fail "a web address: $(grep -h 'https\?://' "$metainfo" "$desktop")"
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}\"" "$metainfo" ||
    fail "the metainfo has no release entry for $version"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch the installed desktop entry"

[ "$("$prefix/bin/quorvel-plan" --version)" = "quorvel-plan $version" ] || fail "quorvel-plan --version is not $version"
"$prefix/bin/quorvel-plan" --dir "$prefix/share/quorvel/examples" --virus 41 --leader 0 --rounds 3 \
    --crits 1 >"$scratch/plan.txt" 2>&1 || fail "the installed planner failed: $(cat "$scratch/plan.txt")"
[ "$(head -n 1 "$scratch/plan.txt")" = "组队方案" ] && [ "$(wc -l <"$scratch/plan.txt")" -eq 13 ] ||
    fail "no plan on the installed sample guild: $(cat "$scratch/plan.txt")"

# The installed launcher finds the installed sample guild by itself.
guild=$(env -u QUORVEL_SAMPLE_GUILD -u QUORVEL_PROGRAM -u QUORVEL_GUILD_DIR \
    XDG_DATA_HOME="$scratch/data" "$prefix/bin/quorvel-launch" --folder 2>"$scratch/launch.log") ||
    fail "the launcher failed: $(cat "$scratch/launch.log")"
[ "$guild" = "$scratch/data/quorvel-guild" ] || fail "the launcher chose $guild"
cmp -s "$guild/Heroes.dat" "$prefix/share/quorvel/examples/Heroes.dat" &&
    cmp -s "$guild/Virus.dat" "$prefix/share/quorvel/examples/Virus.dat" ||
    fail "the new guild folder was not seeded from the installed sample guild"
echo "PASSED"
