#!/usr/bin/env python3
"""Checks the launcher's executable image without running it: PE32 (or PE32+) for the expected
machine, a GUI program, importing nothing but Windows' own DLLs, with its version resource
(file version, the single translation 0804/03a8) and its manifest."""
import argparse
import struct
import sys

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
    "oleaut32.dll", "comctl32.dll", "gdiplus.dll", "wininet.dll", "netapi32.dll", "version.dll",
    "shlwapi.dll", "msvcrt.dll", "crypt32.dll", "uxtheme.dll", "urlmon.dll", "winmm.dll",
    "comdlg32.dll", "winspool.drv", "imm32.dll", "ws2_32.dll",
}
MACHINES = {"i686": (0x14C, 0x10B), "x86_64": (0x8664, 0x20B)}
RT_VERSION, RT_MANIFEST = 16, 24


class Image:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, va, rawsize, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((va, max(vsize, rawsize), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("address 0x%x outside every section" % rva)

    def cstring(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def imported_dlls(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if not any(entry):
                return names
            names.append(self.cstring(entry[3]))
            at += 20

    def resources(self, wanted_type):
        """The data of every resource of one type, as (name, language, bytes)."""
        base = self.offset(self.directories[2][0])

        def entries(at):
            _, _, _, _, named, ids = struct.unpack_from("<IIHHHH", self.data, at)
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                yield ident, target

        found = []
        for kind, names in entries(base):
            if kind != wanted_type:
                continue
            for name, languages in entries(base + (names & 0x7FFFFFFF)):
                for language, leaf in entries(base + (languages & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(rva)
                    found.append((name, language, self.data[at:at + size]))
        return found


def version_blocks(data, at=0, end=None):
    """The VS_VERSIONINFO tree as (key, value bytes, value type, children)."""
    end = len(data) if end is None else end
    while at + 6 <= end:
        length, value_length, value_type = struct.unpack_from("<HHH", data, at)
        if length == 0:
            break
        key_end = at + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[at + 6:key_end].decode("utf-16-le")
        value_at = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if value_type == 1 else value_length
        value = data[value_at:value_at + value_size]
        children_at = (value_at + value_size + 3) & ~3
        children = list(version_blocks(data, children_at, at + length))
        yield key, value, value_type, children
        at = (at + length + 3) & ~3


def check(path, arch, file_version):
    image = Image(open(path, "rb").read())
    problems = []
    machine, magic = MACHINES[arch]
    if image.machine != machine or image.magic != magic:
        problems.append("machine 0x%x magic 0x%x, want 0x%x 0x%x" % (image.machine, image.magic, machine, magic))
    if image.subsystem != 2:
        problems.append("subsystem %d, want 2 (Windows GUI)" % image.subsystem)

    foreign = [dll for dll in image.imported_dlls() if dll.lower() not in SYSTEM_DLLS]
    if foreign:
        problems.append("imports DLLs that Windows does not bring: %s" % ", ".join(foreign))

    versions = image.resources(RT_VERSION)
    if len(versions) != 1:
        problems.append("%d version resources, want 1" % len(versions))
    else:
        (root_key, fixed, _, children), = list(version_blocks(versions[0][2]))
        numbers = struct.unpack_from("<IIIIIIII", fixed, 0)
        fixed_version = "%d.%d.%d.%d" % (numbers[2] >> 16, numbers[2] & 0xFFFF, numbers[3] >> 16, numbers[3] & 0xFFFF)
        if root_key != "VS_VERSION_INFO" or numbers[0] != 0xFEEF04BD or fixed_version != file_version:
            problems.append("fixed file version %s, want %s" % (fixed_version, file_version))
        tables = {key: child for name, _, _, child in children if name == "StringFileInfo" for key, _, _, child in child}
        strings = {key: value.decode("utf-16-le").rstrip("\0") for key, value, _, _ in tables.get("080403a8", [])}
        if set(tables) != {"080403a8"} or strings.get("FileVersion") != file_version:
            problems.append("string tables %s, FileVersion %r, want one table 080403a8 with %s"
                            % (sorted(tables), strings.get("FileVersion"), file_version))
        translations = [value for name, _, _, child in children if name == "VarFileInfo"
                        for key, value, _, _ in child if key == "Translation"]
        if translations != [struct.pack("<HH", 0x0804, 0x03A8)]:
            problems.append("translations %r, want one 0804/03a8" % translations)

    manifests = [data.decode("utf-8") for name, _, data in image.resources(RT_MANIFEST) if name == 1]
    wanted_arch = "x86" if arch == "i686" else "amd64"
    needed = ['name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
              'processorArchitecture="%s"' % wanted_arch, 'level="asInvoker"', ">true</dpiAware>"]
    if len(manifests) != 1 or any(n not in " ".join(manifests[0].split()) for n in needed):
        problems.append("manifest 1 missing or without %s" % needed)
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("image")
    parser.add_argument("--arch", choices=sorted(MACHINES), required=True)
    parser.add_argument("--file-version", required=True)
    args = parser.parse_args()
    problems = check(args.image, args.arch, args.file_version)
    for problem in problems:
        print("%s: %s" % (args.image, problem))
    print("%s: %s" % (args.image, "FAILED" if problems else "ok"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
