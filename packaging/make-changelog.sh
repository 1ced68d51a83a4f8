#!/bin/sh
# Writes the Debian changelog of the package from the project's release
# notes (docs/releases.md): one entry per release, newest first, its items as
# the entry's lines. Fails when the newest release is not VERSION, so that
# the package never ships notes that stop before it.
# Usage: make-changelog.sh RELEASES_MD VERSION MAINTAINER OUTPUT
set -eu

notes=$1
version=$2
maintainer=$3
output=$4

newest=$(sed -n 's/^## \([^ ]*\) (\([0-9-]*\))$/\1/p' "$notes" | head -n 1)
[ "$newest" = "$version" ] || {
    echo "make-changelog.sh: the newest release in $notes is '$newest', the project is $version" >&2
    exit 1
}

# Release headings become entry heads; items, with their continuation lines
# joined, become "  * " lines wrapped under 80 columns; each entry closes with
# the maintainer and the release day.
LC_ALL=C awk -v maintainer="$maintainer" '
function close_entry() {
    if (item != "") flush_item()
    if (entry != "") {
        cmd = "LC_ALL=C date -u -R -d \"" day " 12:00\""
        cmd | getline stamp
        close(cmd)
        printf "\n -- %s  %s\n", maintainer, stamp
    }
}
function flush_item(   words, n, i, line, lead) {
    n = split(item, words, " ")
    line = "  *"
    for (i = 1; i <= n; i++) {
        if (length(line) + 1 + length(words[i]) > 78) {
            print line
            line = "   "
        }
        line = line " " words[i]
    }
    print line
    item = ""
}
/^## [^ ]+ \([0-9-]+\)$/ {
    close_entry()
    if (entry != "") print ""
    entry = $2
    day = substr($3, 2, length($3) - 2)
    printf "quorvel (%s) unstable; urgency=medium\n\n", entry
    next
}
entry == "" { next }
/^- / { if (item != "") flush_item(); item = substr($0, 3); next }
/^  +[^ ]/ && item != "" { sub(/^ +/, ""); item = item " " $0; next }
END { close_entry() }
' "$notes" >"$output"
