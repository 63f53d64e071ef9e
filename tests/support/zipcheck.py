#!/usr/bin/env python3
"""Reads a zip archive with Python's zipfile and prints what it holds as JSON.

Used by Vendrel's tests as a reader independent of minizip. Every entry's data is read in
full, so a CRC mismatch or a broken stream shows up as "error"."""
import hashlib
import json
import sys
import zipfile


def raw_name(info):
    # zipfile decodes names as UTF-8 when bit 11 is set and as cp437 otherwise;
    # undo that to get the bytes stored in the archive.
    if info.flag_bits & 0x800:
        return info.filename.encode("utf-8")
    return info.filename.encode("cp437")


def entry(zf, info):
    digest = hashlib.sha256()
    with zf.open(info) as f:
        while True:
            block = f.read(1 << 20)
            if not block:
                break
            digest.update(block)
    return {
        "name": info.filename,
        "name_hex": raw_name(info).hex(),
        "flag_bits": info.flag_bits,
        "external_attr": info.external_attr,
        "internal_attr": info.internal_attr,
        "date_time": list(info.date_time),
        "file_size": info.file_size,
        "compress_size": info.compress_size,
        "compress_type": info.compress_type,
        "crc": info.CRC,
        "comment_hex": info.comment.hex(),
        "sha256": digest.hexdigest(),
        "extra_hex": info.extra.hex(),
    }


def main():
    path = sys.argv[1]
    try:
        with zipfile.ZipFile(path) as zf:
            entries = [entry(zf, info) for info in zf.infolist()]
            print(json.dumps({"ok": True, "entries": entries}))
    except Exception as exc:  # any failure to read is the answer itself
        print(json.dumps({"ok": False, "error": f"{type(exc).__name__}: {exc}", "entries": []}))


if __name__ == "__main__":
    main()
