#!/usr/bin/env bash
# Renders both manual pages the way man does, failing on any warning from the formatter,
# and checks that vendrel-pack's page names every option, kind and exit status that
# `vendrel-pack --help` and `--list-kinds` name, and vendrel's page every option of
# `vendrel --help`, which answers without a display.
# Usage: check_man_pages.sh MAN_DIR VENDREL_PACK VENDREL
set -euo pipefail
manDir=$1 pack=$2 window=$3
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
if ! command -v man >/dev/null; then
    echo "SKIP: man is not installed (tools/install-deps.sh)"
    exit 0
fi
export LC_ALL=C.UTF-8
for page in vendrel.1 vendrel-pack.1; do
    warnings=$(MANWIDTH=80 man --warnings -l "$manDir/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    text=$(MANWIDTH=80 man -l "$manDir/$page" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "PACKAGE KINDS" "EXIT STATUS" FILES EXAMPLES; do
        grep -q "^$section\$" <<<"$text" || fail "$page has no $section section"
    done
done

# The options a help names.
options() {
    grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' <<<"$1" | tr -d ' ,' | sort -u
}
# Wide enough that no line breaks inside a word.
page=$(MANWIDTH=400 man -l "$manDir/vendrel.1" 2>/dev/null)
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$window" --help) ||
    fail "vendrel --help failed without a display"
[[ $help == "Usage: vendrel "* ]] || fail "vendrel --help printed: $help"
for option in $(options "$help"); do
    grep -qe "$option" <<<"$page" || fail "vendrel(1) does not name $option"
done
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$window" --version) ||
    fail "vendrel --version failed without a display"
grep -qx "vendrel [0-9.]*" <<<"$version" || fail "vendrel --version printed: $version"

page=$(MANWIDTH=400 man -l "$manDir/vendrel-pack.1" 2>/dev/null)
help=$("$pack" --help)
for option in $(options "$help"); do
    grep -qe "$option" <<<"$page" || fail "the page does not name $option"
done
statuses=$(grep -A1 '^Exit status' <<<"$help" | grep -oE '\b[0-9]+ [a-z]' | cut -d' ' -f1)
[ -n "$statuses" ] || fail "no exit statuses found in --help"
exitSection=$(sed -n '/^EXIT STATUS/,/^[A-Z]/p' <<<"$page")
for status in $statuses; do
    grep -qE "^ +$status +[A-Z]" <<<"$exitSection" || fail "the page has no exit status $status"
done
while read -r code extension _; do
    grep -q "$code, $extension" <<<"$page" || fail "the page does not list $code, $extension"
done < <("$pack" --list-kinds)
echo "manual pages render cleanly and match vendrel --help and vendrel-pack --help"
