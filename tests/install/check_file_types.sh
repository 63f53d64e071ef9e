#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a desktop knows every package kind
# as a file type: the installed MIME file is valid by the schema shared-mime-info's own
# database carries, update-mime-database builds a database from it without a warning, and
# there each kind's extension gives its own type, a subclass of application/zip, with an
# installed icon and a comment in every language the program speaks.
# Usage: check_file_types.sh SOURCE_DIR BUILD_DIR SCRATCH_DIR VENDREL_PACK
set -euo pipefail
src=$1 build=$2 scratch=$(realpath -m "$3") pack=$4
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
system=/usr/share/mime/packages/freedesktop.org.xml
for tool in xmllint update-mime-database; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (tools/install-deps.sh)"
        exit 0
    fi
done
if [ ! -f "$system" ]; then
    echo "SKIP: no $system (tools/install-deps.sh installs shared-mime-info)"
    exit 0
fi

rm -rf "$scratch"
mkdir -p "$scratch"
cmake --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$scratch/install.log")"
share=$scratch/prefix/share
ours=$share/mime/packages/vendrel.xml
[ -f "$ours" ] || fail "not installed: $ours"

sed -n '/^<!DOCTYPE mime-info \[/,/^\]>/p' "$system" | sed '1d;$d' >"$scratch/mime.dtd"
[ -s "$scratch/mime.dtd" ] || fail "no schema found in $system"
xmllint --noout --dtdvalid "$scratch/mime.dtd" "$ours" || fail "$ours does not validate"

# The system's types with ours, built as the package's installation builds them; the
# database lies on the search path, or update-mime-database says that it does not.
db=$scratch/data/mime
mkdir -p "$db/packages"
cp "$system" "$ours" "$db/packages/"
warnings=$(XDG_DATA_HOME=$scratch/data XDG_DATA_DIRS=$scratch/data \
    update-mime-database "$db" 2>&1 >/dev/null) || fail "update-mime-database: $warnings"
[ -z "$warnings" ] || fail "update-mime-database warns: $warnings"

# English's own catalogue holds only plurals; the comment without a language is English.
languages=$(cd "$src/translations" && ls vendrel_*.ts | sed 's/^vendrel_//; s/\.ts$//' | grep -vx en)
kinds=0
while read -r code extension _; do
    kinds=$((kinds + 1))
    type=application/x-vendrel-${code,,}
    # globs2 lines: weight:type:glob
    owners=$(awk -F: -v glob="*$extension" 'tolower($3) == glob { print $2 }' "$db/globs2" |
        sort -u | xargs)
    [ "$owners" = "$type" ] || fail "*$extension gives '$owners', not $type"
    grep -qx "$type application/zip" "$db/subclasses" || fail "$type is no kind of application/zip"
    icon=$(awk -F: -v type="$type" '$1 == type { print $2 }' "$db/icons")
    [ -n "$icon" ] || fail "$type names no icon"
    for size in 16x16 32x32 48x48 64x64 128x128; do
        [ -f "$share/icons/hicolor/$size/mimetypes/$icon.png" ] || fail "no $size icon $icon"
    done
    [ -f "$share/icons/hicolor/scalable/mimetypes/$icon.svg" ] || fail "no scalable icon $icon"
    for language in $languages; do
        grep -q "<comment xml:lang=\"$language\">..*</comment>" "$db/$type.xml" ||
            fail "$type has no comment in $language"
    done
done < <("$pack" --list-kinds)
[ "$kinds" -eq 6 ] || fail "vendrel-pack --list-kinds listed $kinds kinds"
echo "every package kind is a file type of its own, with its icon and comments"
