#!/usr/bin/env bash
# Builds the Debian package from a configured and built build folder, checks
# it with lintian (any error or warning fails; the informational tags are
# shown too), installs it on this machine, checks the installed program as a
# user would meet it, and removes the package again (also when a check fails):
#   - the package depends on the Qt libraries, the X11 platform plugin, Qt's
#     translations and a CJK font;
#   - every program answers --version with the package's version, and has its
#     manual page;
#   - the installed desktop entry and AppStream metadata validate;
#   - quorvel-plan --version and a plan on the installed sample guild;
#   - the desktop entry's command, started under a virtual X server with a
#     fresh XDG_DATA_HOME, seeds the guild folder and opens the window in it.
# Needs root or sudo. A machine that has quorvel installed already keeps it:
# the install checks are then skipped.
# Usage: scripts/check-package.sh BUILD_DIR
set -euo pipefail
# The texts checked here are the Chinese ones: the programs speak it under
# the C locale, whatever language the machine running the tests prefers.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES

build=$(realpath "$1")
app_id=org.quorvel.quorvel
caption='青梧药庐公会疫区组队助手'
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

fail() {
    echo "FAILED: $*"
    exit 1
}

rm -f "$build"/quorvel_*.deb
(cd "$build" && cpack -G DEB >"$build/cpack.log" 2>&1) || fail "cpack: $(tail -n 20 "$build/cpack.log")"
package=$(ls "$build"/quorvel_*.deb)
version=$(dpkg-deb -f "$package" Version)
depends=$(dpkg-deb -f "$package" Depends)
echo "Built $(basename "$package"): Depends: $depends"
for needed in libqt6widgets6 libqt6core6 qt6-qpa-plugins qt6-translations-l10n \
    'fonts-wqy-microhei | fonts-noto-cjk'; do
    grep -qF "$needed" <<<"$depends" || fail "the package does not depend on $needed"
done

command -v lintian >/dev/null || fail "lintian is not installed (scripts/setup.sh installs it)"
echo "lintian $(lintian --version | sed 's/^Lintian v//') at its default level, informational tags shown:"
lintian_status=0
lintian --display-info --fail-on error,warning "$package" >"$build/lintian.log" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$build/lintian.log" || true
[ "$lintian_status" -eq 0 ] || fail "lintian found errors or warnings in $(basename "$package")"
echo "lintian: no errors, no warnings."

if dpkg-query -W -f='${Status}' quorvel 2>/dev/null | grep -q 'install ok installed'; then
    echo "SKIPPED the install checks: quorvel is installed on this machine already"
    exit 0
fi

scratch=$(mktemp -d)
installed=
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "$installed" ] && "${as_root[@]}" dpkg -r quorvel >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT

"${as_root[@]}" dpkg -i "$package" >"$scratch/dpkg.log" 2>&1 || {
    installed=yes
    fail "dpkg -i: $(cat "$scratch/dpkg.log")"
}
installed=yes

desktop-file-validate "/usr/share/applications/$app_id.desktop" ||
    fail "the installed desktop entry does not validate"
appstreamcli validate --pedantic --no-net "/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "the installed AppStream metadata does not validate"

mkdir "$scratch/asked"
for program in quorvel quorvel-launch quorvel-plan quorvel-roster; do
    said=$(cd "$scratch/asked" && HOME="$scratch/asked" /usr/bin/$program --version)
    [ "$said" = "$program $version" ] || fail "$program --version says '$said', the package is $version"
    zcat "/usr/share/man/man1/$program.1.gz" | grep -q "^\.TH \"\?${program^^}" ||
        fail "no manual page for $program"
done
[ -z "$(ls -A "$scratch/asked")" ] || fail "--version left files behind: $(ls -A "$scratch/asked")"
echo "Every program answers --version with $version and has its manual page."
/usr/bin/quorvel-plan --dir /usr/share/quorvel/examples --virus 41 --leader 0 --rounds 3 --crits 1 \
    >"$scratch/plan.txt" || fail "the installed planner failed"
[ "$(head -n 1 "$scratch/plan.txt")" = "组队方案" ] || fail "no plan: $(cat "$scratch/plan.txt")"
echo "quorvel-plan $version planned on the installed sample guild."

# The desktop entry's command, as a desktop would start it: from the home
# folder, with no guild folder yet.
command=$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop")
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || fail "the virtual X server did not start"
mkdir -p "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
(
    cd "$scratch/home"
    export DISPLAY=":$(cat "$scratch/display")" QT_QPA_PLATFORM=xcb HOME="$scratch/home"
    export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
    export XDG_RUNTIME_DIR="$scratch/runtime"
    unset QUORVEL_GUILD_DIR QUORVEL_PROGRAM QUORVEL_SAMPLE_GUILD
    exec $command
) >"$scratch/program.log" 2>&1 &
program_pid=$!
export DISPLAY=":$(cat "$scratch/display")"
window=
for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
[ -n "$window" ] || fail "no window \"$caption\"; the program wrote: $(cat "$scratch/program.log")"
guild="$scratch/data/quorvel-guild"
[ "$(readlink "/proc/$program_pid/cwd")" = "$guild" ] ||
    fail "the program runs in $(readlink "/proc/$program_pid/cwd"), not in $guild"
cmp -s "$guild/Heroes.dat" /usr/share/quorvel/examples/Heroes.dat &&
    cmp -s "$guild/Virus.dat" /usr/share/quorvel/examples/Virus.dat ||
    fail "the guild folder was not seeded with the sample guild"
echo "The desktop entry opened the window in $guild, seeded with the sample guild."
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key --clearmodifiers Escape
for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not close"
wait "$program_pid" || fail "the program ended with status $?: $(cat "$scratch/program.log")"
program_pid=

"${as_root[@]}" dpkg -r quorvel >"$scratch/dpkg.log" 2>&1 || fail "dpkg -r: $(cat "$scratch/dpkg.log")"
installed=
for path in /usr/bin/quorvel /usr/bin/quorvel-plan /usr/bin/quorvel-roster /usr/bin/quorvel-launch \
    /usr/share/quorvel /usr/share/man/man1/quorvel.1.gz \
    "/usr/share/applications/$app_id.desktop"; do
    [ ! -e "$path" ] || fail "$path is left after removing the package"
done
[ -f "$guild/Heroes.dat" ] || fail "removing the package took the user's guild with it"
echo "Package installed, checked and removed."
