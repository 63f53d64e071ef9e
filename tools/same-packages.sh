#!/usr/bin/env bash
# Packs one project folder with two vendrel-pack programs, every kind, and compares the
# packages byte for byte: shows that a change leaves every package exactly as it was. Entries
# are stamped with the time of packing, so the DOS time and date fields of every local and
# central header are set to zero in both packages before they are compared.
#   tools/same-packages.sh OLD_VENDREL_PACK NEW_VENDREL_PACK [PROJECT_FOLDER]
# Without a folder, the benchmark's "small" tree (3000 files, seeded) is made and used.
set -euo pipefail
old=$1 new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
project=${3:-}
if [[ -z $project ]]; then
  project=$work/Project
  python3 "$(dirname "$0")/../bench/make_tree.py" small "$project" >/dev/null
fi
# Copies a package with the time and date of every entry zeroed.
untimed() {
  python3 - "$1" "$2" <<'PY'
import struct, sys, zipfile
data = bytearray(open(sys.argv[1], "rb").read())
with zipfile.ZipFile(sys.argv[1]) as archive:
    for entry in archive.infolist():
        data[entry.header_offset + 10:entry.header_offset + 14] = bytes(4)
    at = archive.start_dir
while data[at:at + 4] == b"PK\x01\x02":
    data[at + 12:at + 16] = bytes(4)
    names, extra, comment = struct.unpack_from("<HHH", data, at + 28)
    at += 46 + names + extra + comment
open(sys.argv[2], "wb").write(data)
PY
}
status=0
for kind in dzep dzt dztr dzs dzm dzp; do
  "$old" --quiet --kind "$kind" "$project" "$work/old.$kind"
  "$new" --quiet --kind "$kind" "$project" "$work/new.$kind"
  untimed "$work/old.$kind" "$work/old.untimed"
  untimed "$work/new.$kind" "$work/new.untimed"
  if cmp -s "$work/old.untimed" "$work/new.untimed"; then
    echo "same   $kind  $(stat -c %s "$work/new.$kind") bytes"
  else
    echo "DIFFER $kind"
    status=1
  fi
done
exit $status
