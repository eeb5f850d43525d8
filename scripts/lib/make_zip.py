#!/usr/bin/env python3
"""Zips a folder so that the same files always give the same bytes: entries
sorted by name, every date SOURCE_DATE_EPOCH, fixed permissions, no extra
fields.

usage: SOURCE_DATE_EPOCH=<seconds> make_zip.py FOLDER OUT.zip
The zip holds FOLDER's contents (its top-level entries at the zip's root).
"""
import os
import sys
import time
import zipfile


def entries(folder):
    found = []
    for parent, dirs, files in os.walk(folder):
        relative = os.path.relpath(parent, folder)
        for name in dirs:
            found.append((os.path.normpath(os.path.join(relative, name)) + "/", None))
        for name in files:
            path = os.path.join(parent, name)
            found.append((os.path.normpath(os.path.join(relative, name)), path))
    return sorted(found)


def main(folder, out):
    # The zip format has no dates before 1980.
    epoch = max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800)
    date_time = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(out, "w") as archive:
        for name, path in entries(folder):
            info = zipfile.ZipInfo(name.replace(os.sep, "/"), date_time)
            info.create_system = 3
            if path is None:
                info.external_attr = (0o40755 << 16) | 0x10
                archive.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    archive.writestr(info, f.read(), compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
