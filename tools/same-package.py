#!/usr/bin/env python3
"""Compares two zip packages byte for byte, except for the entries' time stamps (a package
is stamped with the time it was made). Exits 0 when they are the same, 1 otherwise."""
import struct
import sys
import zipfile


def without_stamps(path):
    data = bytearray(open(path, "rb").read())
    with zipfile.ZipFile(path) as archive:
        infos = archive.infolist()
        for info in infos:
            local = info.header_offset
            assert data[local:local + 4] == b"PK\x03\x04", f"{path}: no local header at {local}"
            data[local + 10:local + 14] = b"\0\0\0\0"
        central = archive.start_dir
    for _ in infos:
        assert data[central:central + 4] == b"PK\x01\x02", f"{path}: no central header at {central}"
        data[central + 12:central + 16] = b"\0\0\0\0"
        name, extra, comment = struct.unpack_from("<HHH", data, central + 28)
        central += 46 + name + extra + comment
    return bytes(data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: same-package.py PACKAGE PACKAGE")
    sys.exit(0 if without_stamps(sys.argv[1]) == without_stamps(sys.argv[2]) else 1)
