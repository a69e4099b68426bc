#!/usr/bin/env python3
"""Checks that shipped Windows binaries load only Windows' own libraries.

Windows takes a library named in an import table from the system folder only when it is one of
its known libraries; for any other name it looks in the program's own folder first, where a
planted copy would run inside our process. So a binary may import the known libraries (those of
Windows 7 to 11), and COMCTL32.DLL only when its manifest asks for the common controls, which
Windows then takes from its side-by-side store. Delay-load imports count as imports.

  check-imports.py FILE|ZIP...      checks the binaries (.EXE .DLL .SCR of a zip); fails on any
                                    other library, naming it
  check-imports.py --list FILE...   prints each imported library, lower case, and "known" or
                                    "beside" (Windows looks beside the program first)
"""
import struct
import sys
import zipfile

KNOWN = {
    "advapi32", "clbcatq", "comdlg32", "difxapi", "gdi32", "imagehlp", "imm32", "kernel32",
    "msctf", "msvcrt", "normaliz", "nsi", "ntdll", "ole32", "oleaut32", "psapi", "rpcrt4",
    "sechost", "setupapi", "shell32", "shlwapi", "user32", "wldap32", "ws2_32",
}
COMMON_CONTROLS = b"Microsoft.Windows.Common-Controls"
RT_MANIFEST = 24


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not a PE file")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        self.image_base = struct.unpack_from("<I", data, opt + 28)[0] if magic == 0x10B else 0
        directories = opt + (96 if magic == 0x10B else 112)
        count = struct.unpack_from("<I", data, directories - 4)[0]
        self.dirs = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(count)]
        self.sections = []
        for i in range(sections):
            vsize, va, rsize, raw = struct.unpack_from("<IIII", data, opt + optional_size + 40 * i + 8)
            self.sections.append((va, max(vsize, rsize), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("address 0x%x outside the sections" % rva)

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii", "replace")

    def directory(self, index):
        return self.dirs[index] if index < len(self.dirs) and self.dirs[index][0] else (0, 0)

    def imports(self):
        names = []
        for index, size, name_at in ((1, 20, 12), (13, 32, 4)):  # imports, delay-load imports
            rva = self.directory(index)[0]
            while rva:
                fields = self.data[self.offset(rva):self.offset(rva) + size]
                name = struct.unpack_from("<I", fields, name_at)[0]
                if not any(fields):
                    break
                if index == 13 and not struct.unpack_from("<I", fields, 0)[0] & 1:
                    name -= self.image_base  # old delay-load tables hold addresses, not RVAs
                names.append(self.string(name))
                rva += size
        return names

    def manifests(self):
        root = self.directory(2)[0]
        if not root:
            return []

        def entries(rva):
            at = self.offset(root + rva)
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            return [struct.unpack_from("<II", self.data, at + 16 + 8 * i) for i in range(named + ids)]

        def leaves(target):
            if target & 0x80000000:
                return [leaf for _, sub in entries(target & 0x7FFFFFFF) for leaf in leaves(sub)]
            rva, size = struct.unpack_from("<II", self.data, self.offset(root + target))
            return [self.data[self.offset(rva):self.offset(rva) + size]]

        return [text for ident, target in entries(0) if ident == RT_MANIFEST for text in leaves(target)]


def binaries(args):
    for arg in args:
        if zipfile.is_zipfile(arg):
            with zipfile.ZipFile(arg) as z:
                for name in z.namelist():
                    if name.upper().endswith((".EXE", ".DLL", ".SCR")):
                        yield name, z.read(name)
        else:
            with open(arg, "rb") as f:
                yield arg, f.read()


def base(name):
    name = name.lower()
    return name[:-4] if name.endswith(".dll") else name


def faults(pe):
    common_controls = any(COMMON_CONTROLS in text for text in pe.manifests())
    for name in pe.imports():
        if base(name) in KNOWN or (base(name) == "comctl32" and common_controls):
            continue
        why = "without a common-controls manifest" if base(name) == "comctl32" else "not a known library"
        yield "%s (%s: Windows looks beside the program first)" % (name, why)


def main(args):
    if args[:1] == ["--list"]:
        for _, data in binaries(args[1:]):
            for name in Pe(data).imports():
                print(name.lower(), "known" if base(name) in KNOWN else "beside")
        return 0
    status = 0
    for name, data in binaries(args):
        pe = Pe(data)
        found = list(faults(pe))
        for fault in found:
            print("check-imports: %s imports %s" % (name, fault))
        if found:
            status = 1
        else:
            print("check-imports: %s imports %s" % (name, " ".join(pe.imports())))
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
