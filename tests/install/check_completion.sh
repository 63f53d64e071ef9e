#!/usr/bin/env bash
# Loads vendrel-pack's bash completion into a bare bash and completes a few command lines:
# the six kinds after --kind (also as --kind=), folders for the project, files for the output.
# Usage: check_completion.sh COMPLETION_SCRIPT
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Intro" "$work/Outro"
touch "$work/notes.txt"
cd "$work"
bash --norc --noprofile -c '
source "$1"
complete -p vendrel-pack | grep -q -- "-F _vendrel_pack" || { echo "FAIL: not registered"; exit 1; }
bad=0
# expect "WORDS..." "OFFERED": completes the last word of WORDS, compares the sorted offers.
expect() {
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vendrel_pack
    local got
    got=$(printf "%s\n" "${COMPREPLY[@]}" | sort | xargs)
    [ "$got" = "$2" ] || { echo "FAIL: \"$1\" offers \"$got\", not \"$2\""; bad=1; }
}
expect "vendrel-pack --kind " "DZEP DZM DZP DZS DZT DZTR"
expect "vendrel-pack --kind DZT" "DZT DZTR"
expect "vendrel-pack --kind = d" "dzep dzm dzp dzs dzt dztr"
expect "vendrel-pack --li" "--list-kinds"
expect "vendrel-pack --kind dzt " "Intro Outro"
expect "vendrel-pack --kind = dzt Intro " "Intro Outro notes.txt"
expect "vendrel-pack -q Intro out.dzt " ""
exit $bad
' check "$script"
echo "completion offers kinds, folders and files"
