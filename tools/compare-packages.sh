#!/usr/bin/env bash
# Packs each given tree with two vendrel-pack executables, in every package kind, and compares
# the packages byte for byte but for their time stamps (tools/same-package.py): the check that a
# change of the code left the packages as they were.
#   tools/compare-packages.sh OLD_VENDREL_PACK NEW_VENDREL_PACK TREE [TREE...]
# Exits 1 when any package differs or either run fails.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 OLD_VENDREL_PACK NEW_VENDREL_PACK TREE [TREE...]" >&2; exit 2; }
old=$1 new=$2
shift 2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
for tree in "$@"; do
  for kind in dzep dzt dztr dzs dzm dzp; do
    name=$(basename "$tree")-$kind
    "$old" --quiet --kind "$kind" "$tree" "$out/old-$name.$kind" || { echo "FAIL old $name"; status=1; continue; }
    "$new" --quiet --kind "$kind" "$tree" "$out/new-$name.$kind" || { echo "FAIL new $name"; status=1; continue; }
    if "$(dirname "$0")/same-package.py" "$out/old-$name.$kind" "$out/new-$name.$kind"; then
      echo "same      $name ($(stat -c %s "$out/new-$name.$kind") bytes)"
    else
      echo "DIFFERENT $name"
      status=1
    fi
    rm -f "$out/old-$name.$kind" "$out/new-$name.$kind"
  done
done
exit $status
