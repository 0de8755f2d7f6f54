#!/usr/bin/env python3
"""Checks a built uninstaller executable from the outside: machine and subsystem, the
loader's hardening flags, that it needs no library beyond the system's own, and its
resources (manifest, icon group 140 with its sizes, version, and the "ZIPRES" 157 archive).

Usage: check_uninstaller_pe.py <exe> <i686|x86_64> (--skin <zip> | --no-skin)
Prints "N passed, N failed" last; exits non-zero on any failure.
"""
import struct
import sys

MACHINES = {"i686": 0x14C, "x86_64": 0x8664}
# Libraries the program may import statically: the system's own, loaded from the system
# folder whatever folder the program sits in. The common controls, GDI+, the shell and the
# accessibility library (with its string allocator) are not among them: they are loaded on
# first use only, to keep the start small.
SYSTEM_LIBRARIES = {"advapi32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
                    "ole32.dll", "user32.dll"}
# Loaded from the system folder when first needed, never imported.
ON_DEMAND_LIBRARIES = {"comctl32.dll", "gdiplus.dll", "shell32.dll", "oleacc.dll", "oleaut32.dll"}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
DYNAMIC_BASE, NX_COMPAT = 0x40, 0x100

results = []


def check(name, ok, detail=""):
    results.append(ok)
    print(f"{'ok  ' if ok else 'FAIL'} {name}" + (f": {detail}" if detail and not ok else ""))


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, opt + 68)
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(16)]
        self.sections = []
        table = opt + optional_size
        for i in range(sections):
            vsize, va, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((va, max(vsize, raw_size), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError(f"rva {rva:#x} outside every section")

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if not any(entry):
                return names
            names.append(self.cstring(entry[3]))
            at += 20

    def resources(self):
        """{(type, name): bytes} of the first language of each resource."""
        base_rva, _ = self.directories[2]
        base = self.offset(base_rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                key, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                if key & 0x80000000:
                    p = base + (key & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", self.data, p)[0]
                    key = self.data[p + 2:p + 2 + 2 * length].decode("utf-16-le")
                yield key, target

        found = {}
        for rtype, t in entries(base):
            for rname, n in entries(base + (t & 0x7FFFFFFF)):
                _, leaf = next(entries(base + (n & 0x7FFFFFFF)))
                data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
                start = self.offset(data_rva)
                found[(rtype, rname)] = self.data[start:start + size]
        return found


def check_resources(res):
    manifests = [key for key in res if key[0] == RT_MANIFEST]
    check("exactly one manifest, id 1", manifests == [(RT_MANIFEST, 1)], manifests)
    manifest = " ".join(res.get((RT_MANIFEST, 1), b"").decode("utf-8", "replace").split())
    for needle in ('level="requireAdministrator"', 'uiAccess="false"',
                   'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'):
        check(f"manifest has {needle}", needle in manifest)

    group = res.get((RT_GROUP_ICON, 140), b"\0" * 6)
    sizes = set()
    for i in range(struct.unpack_from("<H", group, 4)[0]):
        w, h, _, _, _, _, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        if len(res.get((RT_ICON, icon_id), b"")) == size:
            sizes.add((w or 256, h or 256))
    check("icon 140 in sizes 16, 24, 32, 48, 256", sizes == {(s, s) for s in (16, 24, 32, 48, 256)},
          sorted(sizes))

    version = res.get((RT_VERSION, 1), b"").decode("utf-16-le", "replace")
    for key, value in (("ProductName", "Varnholt"), ("FileDescription", "Varnholt 卸载程序")):
        check(f'version {key} "{value}"', f"{key}\0" in version and
              f"{value}\0" in version[version.find(key):][:80])


def main():
    if len(sys.argv) < 4 or sys.argv[2] not in MACHINES:
        sys.exit(__doc__)
    exe, arch, mode = sys.argv[1], sys.argv[2], sys.argv[3]
    with open(exe, "rb") as f:
        image = Image(f.read())
    check(f"machine {arch}", image.machine == MACHINES[arch], hex(image.machine))
    check("PE32 for i686, PE32+ for x86_64",
          image.magic == (0x10B if arch == "i686" else 0x20B), hex(image.magic))
    check("subsystem Windows GUI", image.subsystem == 2, image.subsystem)
    check("address randomisation and no-execute data",
          image.dll_characteristics & (DYNAMIC_BASE | NX_COMPAT) == DYNAMIC_BASE | NX_COMPAT,
          hex(image.dll_characteristics))
    imported = sorted(name.lower() for name in image.imports())
    check("imports system libraries only", set(imported) <= SYSTEM_LIBRARIES,
          sorted(set(imported) - SYSTEM_LIBRARIES))
    check("on-demand libraries not imported", not set(imported) & ON_DEMAND_LIBRARIES,
          sorted(set(imported) & ON_DEMAND_LIBRARIES))

    res = image.resources()
    check_resources(res)
    archive = res.get(("ZIPRES", 157))
    if mode == "--skin":
        with open(sys.argv[4], "rb") as f:
            check("ZIPRES 157 is the skin archive", archive == f.read())
    else:
        check("no ZIPRES 157", archive is None)

    failed = results.count(False)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
