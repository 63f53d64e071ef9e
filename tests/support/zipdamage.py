#!/usr/bin/env python3
"""Damages zip packages for Vendrel's package tests, and judges packages independently.

  zipdamage.py make DAMAGE SOURCE OUT   writes OUT: SOURCE (a package) damaged as DAMAGE says,
                                        or, for the name damages, a package of its own
  zipdamage.py judge PATH               prints one line per fault Python finds: zipfile's
                                        errors and bad CRCs, and names that ntpath (Windows'
                                        path rules) sees leaving the folder, naming a drive or
                                        meeting another when case is ignored
"""
import ntpath
import struct
import sys
import zipfile


def central_records(data):
    end = data.rindex(b"PK\x05\x06")
    count, size, offset = struct.unpack_from("<HII", data, end + 10)
    at = offset
    for _ in range(count):
        yield at
        name_len, extra_len, comment_len = struct.unpack_from("<HHH", data, at + 28)
        at += 46 + name_len + extra_len + comment_len


def first_entry(data):
    """Offset of the first central record, and of its local header's data."""
    record = next(central_records(data))
    local = struct.unpack_from("<I", data, record + 42)[0]
    name_len, extra_len = struct.unpack_from("<HH", data, local + 26)
    return record, local, local + 30 + name_len + extra_len


def write_names(out, names):
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as zf:
        for name in names:
            zf.writestr(name, "data of " + name)


def make(damage, source, out):
    data = bytearray(open(source, "rb").read())
    record, local, data_at = first_entry(data)
    if damage == "intact":
        pass
    elif damage == "truncated":
        data = data[: len(data) // 2]
    elif damage == "flipped":
        size = struct.unpack_from("<I", data, record + 20)[0]
        data[data_at + size // 2] ^= 0x55
    elif damage == "central crc":
        data[record + 16] ^= 0xFF
    elif damage == "local name":
        name_len = struct.unpack_from("<H", data, local + 26)[0]
        data[local + 30 + name_len - 1] ^= 0x01
    elif damage == "dotdot":
        return write_names(out, ["a.txt", "..\\x"])
    elif damage == "drive":
        return write_names(out, ["a.txt", "C:\\x"])
    elif damage == "fold":
        return write_names(out, ["media\\a.png", "Media\\A.PNG"])
    elif damage == "many":
        return write_names(out, ["f%d" % i for i in range(65536)])
    else:
        sys.exit("unknown damage " + damage)
    open(out, "wb").write(data)


def judge(path):
    faults = []
    try:
        with zipfile.ZipFile(path) as zf:
            bad = zf.testzip()
            if bad is not None:
                faults.append("bad CRC in " + bad)
            names = zf.namelist()
    except Exception as error:  # zipfile's own refusal, whatever its kind
        print("zipfile: %s" % error)
        return
    if len(names) > 65535:
        faults.append("%d entries" % len(names))
    seen = set()
    for name in names:
        drive, rest = ntpath.splitdrive(name)
        parts = rest.replace("/", "\\").split("\\")
        if drive or rest.startswith(("\\", "/")):
            faults.append("drive or root: " + name)
        if ".." in parts:
            faults.append("leaves the folder: " + name)
        key = ntpath.normcase(ntpath.normpath(name)).casefold()
        if key in seen:
            faults.append("meets another name: " + name)
        seen.add(key)
    for fault in faults:
        print(fault)


def main():
    if sys.argv[1] == "make":
        make(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        judge(sys.argv[2])


if __name__ == "__main__":
    main()
