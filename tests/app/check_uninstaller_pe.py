#!/usr/bin/env python3
"""Checks a built uninstaller executable from the outside: machine and subsystem, the
loader's hardening flags, that it needs no library beyond the system's own, its resources
(manifest, icon group 140 with its sizes, version, and the "ZIPRES" 157 archive), and its
Authenticode signature: none, or (with --signed) one SHA-256 signature in its proper place;
and, with --max-kb, that the file is no larger than that many KB (1,024 bytes each).

Usage: check_uninstaller_pe.py <exe> <i686|x86_64> (--skin <zip> | --no-skin) --version A.B.C.D
                               [--signed] [--max-kb N]
Prints "N passed, N failed" last; exits non-zero on any failure.
"""
import argparse
import re
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
SECURITY_DIRECTORY = 4
WIN_CERT_REVISION_2, WIN_CERT_TYPE_PKCS_SIGNED_DATA = 0x0200, 2
# The DER encoding of the SHA-256 algorithm's identifier (2.16.840.1.101.3.4.2.1).
SHA256_OID = bytes.fromhex("0609608648016503040201")
FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD

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
        self.checksum_at = opt + 64
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, opt + 68)
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.directories_at = dirs
        self.directories = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(16)]
        self.sections = []
        self.raw_end = 0
        table = opt + optional_size
        for i in range(sections):
            vsize, va, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((va, max(vsize, raw_size), raw))
            self.raw_end = max(self.raw_end, raw + raw_size)

    def computed_checksum(self):
        """The loader's image checksum: 16-bit one's-complement sum, checksum field skipped,
        plus the file length."""
        data = self.data + b"\0" * (len(self.data) % 2)
        total = 0
        for i, (word,) in enumerate(struct.iter_unpack("<H", data)):
            if i * 2 in (self.checksum_at, self.checksum_at + 2):
                continue
            total += word
            total = (total & 0xFFFF) + (total >> 16)
        return ((total & 0xFFFF) + (total >> 16)) + len(self.data)

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


def check_resources(res, expected_version):
    manifests = [key for key in res if key[0] == RT_MANIFEST]
    check("exactly one manifest, id 1", manifests == [(RT_MANIFEST, 1)], manifests)
    manifest = " ".join(res.get((RT_MANIFEST, 1), b"").decode("utf-8", "replace").split())
    for needle in ('level="requireAdministrator"', 'uiAccess="false"',
                   'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
                   '>true/pm</dpiAware>', '>PerMonitorV2, PerMonitor</dpiAwareness>'):
        check(f"manifest has {needle}", needle in manifest)
    # Windows 7, 8, 8.1, and 10 with 11.
    for os_id in ("35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                  "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"):
        check(f"manifest supports {os_id}", '<supportedOS Id="{%s}"/>' % os_id in manifest)

    group = res.get((RT_GROUP_ICON, 140), b"\0" * 6)
    sizes = set()
    for i in range(struct.unpack_from("<H", group, 4)[0]):
        w, h, _, _, _, _, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        if len(res.get((RT_ICON, icon_id), b"")) == size:
            sizes.add((w or 256, h or 256))
    check("icon 140 in sizes 16, 24, 32, 48, 256", sizes == {(s, s) for s in (16, 24, 32, 48, 256)},
          sorted(sizes))

    identity = re.search(r'<assemblyIdentity[^>]*name="Varnholt.Uninstall"[^>]*>', manifest)
    check(f"manifest's own version {expected_version}",
          identity is not None and f'version="{expected_version}"' in identity.group(0),
          identity.group(0) if identity else "no assemblyIdentity")

    raw_version = res.get((RT_VERSION, 1), b"")
    version = raw_version.decode("utf-16-le", "replace")
    for key, value in (("ProductName", "Varnholt"), ("FileDescription", "Varnholt 卸载程序"),
                       ("FileVersion", expected_version), ("ProductVersion", expected_version)):
        check(f'version {key} "{value}"', f"{key}\0" in version and
              f"{value}\0" in version[version.find(key):][:80])
    fixed = raw_version.find(struct.pack("<I", FIXED_FILE_INFO_SIGNATURE))
    numbers = tuple(int(part) for part in expected_version.split("."))
    if fixed < 0:
        check("fixed file and product version", False, "no fixed file information")
        return
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", raw_version, fixed + 8)
    for what, ms, ls in (("file", file_ms, file_ls), ("product", product_ms, product_ls)):
        found = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
        check(f"fixed {what} version {expected_version}", found == numbers, found)


def check_signature(image, signed):
    offset, size = image.directories[SECURITY_DIRECTORY]
    if not signed:
        check("not signed", (offset, size) == (0, 0), f"certificate table at {offset:#x}, {size} bytes")
        return
    check("signed: certificate table present", size >= 8, f"{size} bytes")
    if size < 8:
        return
    # A file offset, not an address: it lies after every section, at the end of the file.
    check("signature after the sections, 8-aligned, at the end of the file",
          offset >= image.raw_end and offset % 8 == 0 and offset + size == len(image.data),
          f"at {offset:#x}+{size}, sections end {image.raw_end:#x}, file {len(image.data):#x}")
    length, revision, cert_type = struct.unpack_from("<IHH", image.data, offset)
    check("one PKCS#7 signed-data certificate, revision 2.0",
          (revision, cert_type) == (WIN_CERT_REVISION_2, WIN_CERT_TYPE_PKCS_SIGNED_DATA) and
          8 < length <= size and size - length < 8, (length, hex(revision), cert_type))
    check("signature digest SHA-256", SHA256_OID in image.data[offset:offset + length])
    stored = struct.unpack_from("<I", image.data, image.checksum_at)[0]
    check("image checksum matches", stored == image.computed_checksum(),
          f"{stored:#x} stored, {image.computed_checksum():#x} computed")


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("exe")
    parser.add_argument("arch", choices=sorted(MACHINES))
    skin = parser.add_mutually_exclusive_group(required=True)
    skin.add_argument("--skin")
    skin.add_argument("--no-skin", action="store_true")
    parser.add_argument("--version", required=True)
    parser.add_argument("--signed", action="store_true")
    parser.add_argument("--max-kb", type=int)
    args = parser.parse_args()
    if not re.fullmatch(r"\d+\.\d+\.\d+\.\d+", args.version):
        sys.exit("--version wants four numbers, A.B.C.D")
    exe, arch = args.exe, args.arch
    with open(exe, "rb") as f:
        image = Image(f.read())
    if args.max_kb is not None:
        size = len(image.data)
        check(f"at most {args.max_kb} KB", size <= args.max_kb * 1024, f"{size} bytes, {size / 1024:.1f} KB")
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
    check_resources(res, args.version)
    archive = res.get(("ZIPRES", 157))
    if args.skin:
        with open(args.skin, "rb") as f:
            check("ZIPRES 157 is the skin archive", archive == f.read())
    else:
        check("no ZIPRES 157", archive is None)
    check_signature(image, args.signed)

    failed = results.count(False)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
