#!/usr/bin/env python3
"""Checks what a built Kestrova.exe asks of the Windows loader.

An elevated program must not load a DLL planted beside it: it imports at start only
Known DLLs (which Windows always takes from the system folder) and comctl32 (bound by
the manifest to the system's side-by-side copy); everything else is delay-loaded, by
name, once wWinMain has limited the search to the system folder. The image keeps ASLR
(high-entropy on 64-bit) and DEP, and carries stack canaries.

Usage: check_executable_hardening.py Kestrova.exe [DELAY_LOADED_DLL...]
(Kestrova.com names the fewer DLLs it delay-loads.)
"""
import struct
import sys

STATIC_ALLOWED = {
    "advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
    "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "ws2_32.dll", "combase.dll",
    "comdlg32.dll", "imm32.dll", "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll",
}
DELAY_LOADED = {"version.dll", "uxtheme.dll", "dwmapi.dll", "winhttp.dll", "bcrypt.dll"}
DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA = 0x40, 0x100, 0x20


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "not a PE image"
        sections = struct.unpack_from("<H", data, pe + 6)[0]
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        optional = pe + 24
        self.is64 = struct.unpack_from("<H", data, optional)[0] == 0x20B
        self.characteristics = struct.unpack_from("<H", data, optional + 70)[0]
        directories = optional + (112 if self.is64 else 96)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} is in no section")

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def dll_names(self):
        rva, _ = self.directories[1]
        names = []
        while rva:
            name = struct.unpack_from("<I", self.data, self.offset(rva) + 12)[0]
            if not name:
                break
            names.append(self.text(name).lower())
            rva += 20
        return names


def main(path, delay_loaded=DELAY_LOADED):
    with open(path, "rb") as file:
        image = Image(file.read())
    problems = []
    imported = image.dll_names()
    problems += [f"{name} is imported at start; it is no Known DLL" for name in imported
                 if name not in STATIC_ALLOWED]
    # The delay-load helper or LoadLibraryExW finds a DLL by the name the image keeps for it.
    lowered = image.data.lower()
    delayed = {name for name in delay_loaded
               if name.encode() + b"\0" in lowered or (name + "\0").encode("utf-16-le") in lowered}
    problems += [f"{name} is not delay-loaded" for name in sorted(delay_loaded - delayed)]
    wanted = DYNAMIC_BASE | NX_COMPAT | (HIGH_ENTROPY_VA if image.is64 else 0)
    if image.characteristics & wanted != wanted:
        problems.append(f"DllCharacteristics {image.characteristics:#x} lack {wanted:#x}")
    if b"stack smashing detected" not in image.data:  # the canary's failure message
        problems.append("no stack protector")
    for problem in problems:
        print(f"{path}: {problem}")
    print(f"imported: {', '.join(imported)}; delay-loaded: {', '.join(sorted(delayed))}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], set(sys.argv[2:]) or DELAY_LOADED))
