#!/usr/bin/env bash
# Loads vendrel-pack's completion for one shell (bash, zsh or fish) into that shell, started
# bare, and completes a few command lines: the six kinds after --kind (also as --kind=), the
# levels after --level, the values of --level and --date not counted as paths, folders for
# the project, files for the output (none after --check's project, the other way round after
# --test), and every option `vendrel-pack --help` names. A shell that is not installed is
# skipped.
# Usage: check_completion.sh SHELL COMPLETION_DIR VENDREL_PACK
set -euo pipefail
shell=$1 dir=$(realpath "$2") pack=$3
if ! command -v "$shell" >/dev/null; then
    echo "SKIP: $shell is not installed (tools/install-deps.sh)"
    exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tree/Intro" "$work/tree/Outro" "$work/home"
touch "$work/tree/notes.txt"
cd "$work/tree"
# Nothing of the user's or of an installed Vendrel's is read.
export HOME=$work/home XDG_CONFIG_HOME=$work/home XDG_DATA_HOME=$work/home \
    XDG_DATA_DIRS=$work/home

# "LINE|OFFERED": completes the last word of LINE; OFFERED is sorted, folders without their
# trailing "/". For a word that is no option, offered options are left out: zsh offers them
# wherever no path is wanted.
cases=(
    "vendrel-pack --kind |DZEP DZM DZP DZS DZT DZTR"
    "vendrel-pack --kind DZT|DZT DZTR"
    "vendrel-pack --kind=d|dzep dzm dzp dzs dzt dztr"
    "vendrel-pack --li|--list-kinds"
    "vendrel-pack --kind dzt |Intro Outro"
    "vendrel-pack --kind=dzt Intro |Intro Outro notes.txt"
    "vendrel-pack -q Intro out.dzt |"
    "vendrel-pack -- --kind |Intro Outro notes.txt"
    "vendrel-pack --che|--check"
    "vendrel-pack --check |Intro Outro"
    "vendrel-pack --check --verbose Intro |"
    "vendrel-pack --test |Intro Outro notes.txt"
    "vendrel-pack --test notes.txt |Intro Outro"
    "vendrel-pack --level |0 1 2 3 4 5 6 7 8 9"
    "vendrel-pack --le|--level"
    "vendrel-pack --level 9 --date @1700000000 |Intro Outro"
    "vendrel-pack --exclude '*.psd' --exclude-from notes.txt |Intro Outro"
)
lines=("${cases[@]%%|*}" "vendrel-pack -")

# Each shell prints "== LINE: OFFER OFFER..." for each line.
case $shell in
bash)
    bash --norc --noprofile -c '
source "$1/vendrel-pack"
shift
complete -p vendrel-pack | grep -q -- "-F _vendrel_pack" || { echo "not registered"; exit 1; }
for line; do
    # Readline breaks words at "=" too.
    read -ra COMP_WORDS <<<"${line//=/ = }"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vendrel_pack
    echo "== $line: ${COMPREPLY[*]}"
done' check "$dir" "${lines[@]}" >"$work/offered"
    ;;
zsh)
    # An interactive zsh on a pseudo-terminal, whose compadd also reports what it adds.
    zsh -f -c '
zmodload zsh/zpty
readUntil() {
    local line i
    out=""
    for ((i = 0; i < 100; i++)); do
        if zpty -r -t z line; then
            out+=$line
            [[ $out == *$1* ]] && return 0
        else
            sleep 0.1
        fi
    done
    print -r -- "no $1 from zsh: $out"
    return 1
}
zpty z zsh -f -i
zpty -w z "PS1=; fpath=($1 \$fpath); autoload -Uz compinit; compinit -u -D"
zpty -w z "compadd() {
    if ((\${@[(I)-[OAD]*]})); then builtin compadd \"\$@\"; return; fi
    local -a hits; builtin compadd -A hits \"\$@\"
    ((\${#hits})) && print -rl -- HIT:\${^hits} >/dev/tty
    builtin compadd \"\$@\"
}"
zpty -w z "print REA\"\"DY"
readUntil READY || exit 1
shift
for line; do
    # Tab completes; Ctrl-U clears the line again.
    zpty -w -n z "$line"$'\''\t\x15'\''
    zpty -w z "print DO\"\"NE"
    readUntil DONE || exit 1
    print -r -- "== $line: $(print -r -- $out | tr -d "\r" | grep -ao "HIT:[^[:cntrl:]]*" | cut -c5- | xargs)"
done
zpty -d z' check "$dir" "${lines[@]}" >"$work/offered"
    ;;
fish)
    fish --no-config -c '
source $argv[1]/vendrel-pack.fish
for line in $argv[2..]
    echo "== $line: "(complete -C $line | string split -f1 \t | string join " ")
end' "$dir" "${lines[@]}" >"$work/offered"
    ;;
*)
    echo "FAIL: unknown shell $shell"
    exit 1
    ;;
esac

# The offers for LINE, in the form the cases give them.
offers() {
    local line=$1 got
    got=$(grep -F -- "== $line: " "$work/offered" | head -1)
    got=${got#"== $line: "}
    got=$(tr ' ' '\n' <<<"$got" | sed 's#/$##; s#^--kind=##' | sort -u)
    if [[ ${line##* } != -* ]]; then
        got=$(grep -v -- '^-' <<<"$got" || true)
    fi
    xargs <<<"$got"
}
bad=0
for entry in "${cases[@]}"; do
    line=${entry%%|*} wanted=${entry#*|}
    got=$(offers "$line")
    [ "$got" = "$wanted" ] || {
        echo "FAIL: $shell: \"$line\" offers \"$got\", not \"$wanted\""
        bad=1
    }
done
offered=" $(offers "vendrel-pack -") "
for option in $("$pack" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u); do
    [[ $offered == *" $option "* ]] || {
        echo "FAIL: $shell: \"vendrel-pack -\" does not offer $option"
        bad=1
    }
done
[ $bad -eq 0 ] || {
    echo "what $shell offered:"
    cat "$work/offered"
    exit 1
}
echo "$shell completion offers options, kinds, folders and files"
