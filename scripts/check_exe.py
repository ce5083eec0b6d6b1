#!/usr/bin/env python3
"""Checks the shipped Tessarin.exe: a 32-bit i386 PE, GUI subsystem, at most 1.5 MiB, importing
only the system's known DLLs (none of those it loads on first use), and carrying its
manifest (common controls 6, no requested execution level, per-monitor DPI awareness) and
version resources."""
import struct
import sys

# Static imports are limited to the system's known DLLs, which Windows always takes from
# the system folder: any other DLL (comctl32, uxtheme, riched20) is loaded at run time from
# the system folder only, so that a file of its name beside the program is never loaded.
KNOWN_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll", "comdlg32.dll",
              "shell32.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll", "imm32.dll"}
# Not needed to show the main window: loaded from the system folder when first called
# (ui/ShellLibraries), so that start-up does not wait for them and all they load.
LOADED_ON_FIRST_USE = {"shell32.dll", "ole32.dll", "oleaut32.dll", "comdlg32.dll"}

# The per-monitor DPI functions are missing before Windows 10 (8.1 for the shcore ones): a
# static import of one would stop the program from starting on Vista and 7. They are looked
# up at run time.
RUNTIME_ONLY = {"GetDpiForWindow", "GetDpiForSystem", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi",
                "SystemParametersInfoForDpi", "EnableNonClientDpiScaling", "SetThreadDpiAwarenessContext",
                "SetProcessDpiAwarenessContext", "GetDpiForMonitor"}


def main(path):
    data = open(path, "rb").read()
    problems = []
    if len(data) > 3 << 19:
        problems.append(f"size {len(data)} bytes is over 1.5 MiB")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit("not a PE file")
    machine, sections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    if machine != 0x14C:
        problems.append(f"machine 0x{machine:X} is not i386")
    opt = pe + 24
    if struct.unpack_from("<H", data, opt)[0] != 0x10B:
        problems.append("not a PE32 (32-bit) optional header")
    subsystem = struct.unpack_from("<H", data, opt + 68)[0]
    if subsystem != 2:
        problems.append(f"subsystem {subsystem} is not the Windows GUI")
    dirs = opt + 96
    table = []
    for i in range(sections):
        name, vsize, va, rsize, rptr = struct.unpack_from("<8sIIII", data, opt + opt_size + 40 * i)
        table.append((va, max(vsize, rsize), rptr))

    def offset(rva):
        for va, size, ptr in table:
            if va <= rva < va + size:
                return rva - va + ptr
        raise ValueError(hex(rva))

    def cstr(off):
        return data[off:data.index(b"\0", off)].decode("latin-1")

    imp_rva = struct.unpack_from("<I", data, dirs + 8)[0]
    imports = []
    functions = []
    off = offset(imp_rva)
    while True:
        ilt, _, _, name_rva, iat = struct.unpack_from("<IIIII", data, off)
        if not name_rva:
            break
        imports.append(cstr(offset(name_rva)).lower())
        thunk = offset(ilt or iat)
        while True:
            entry = struct.unpack_from("<I", data, thunk)[0]
            if not entry:
                break
            if not entry & 0x80000000:
                functions.append(cstr(offset(entry) + 2))  # past the hint
            thunk += 4
        off += 20
    foreign = [d for d in imports if d not in KNOWN_DLLS]
    if foreign:
        problems.append("imports DLLs that are not known DLLs of the system: " + ", ".join(foreign))
    static_dpi = sorted(RUNTIME_ONLY.intersection(functions))
    if static_dpi:
        problems.append("imports per-monitor DPI functions statically: " + ", ".join(static_dpi))
    if b"PerMonitorV2" not in data or b"true/pm" not in data:
        problems.append("the manifest does not declare per-monitor DPI awareness")
    eager = [d for d in imports if d in LOADED_ON_FIRST_USE]
    if eager:
        problems.append("imports DLLs that start-up does not need (load them on first use): " + ", ".join(eager))
    if b"Microsoft.Windows.Common-Controls" not in data:
        problems.append("no common-controls 6 manifest")
    if b"requestedExecutionLevel" in data:
        problems.append("the manifest requests an execution level")
    if "FileVersion".encode("utf-16-le") not in data:
        problems.append("no version information")
    print(f"{path}: {len(data)} bytes, imports {', '.join(imports)}")
    if problems:
        for p in problems:
            print("FAIL:", p)
        sys.exit(1)


if __name__ == "__main__":
    main(sys.argv[1])
