"""Checks a Windows module without running it: machine type, exported names, imported DLLs (system
DLLs only, so it loads on a stock Windows) and the version resource, all read back from the file."""

import argparse
import struct
import subprocess
import sys

MACHINES = {32: "IMAGE_FILE_MACHINE_I386", 64: "IMAGE_FILE_MACHINE_AMD64"}

SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "dxgi.dll", "gdi32.dll", "imm32.dll",
    "kernel32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "opengl32.dll", "shell32.dll",
    "shlwapi.dll", "user32.dll", "version.dll", "wininet.dll", "winmm.dll", "ws2_32.dll",
    "wsock32.dll",
}

VERSION_STRINGS = {
    "CompanyName": "Drovask",
    "FileDescription": "Halvo",
    "FileVersion": "1.0",
    "ProductName": "Halvo",
    "ProductVersion": "1.0",
}
FILE_VERSION = (1, 0, 0, 0)
PRODUCT_VERSION = (0, 0, 0, 0)


def readobj(tool, option, module):
    return subprocess.run([tool, option, module], check=True, capture_output=True, text=True).stdout


def field_values(text, field):
    prefix = field + ":"
    return [line.split(":", 1)[1].strip() for line in text.splitlines()
            if line.strip().startswith(prefix)]


def parse_block(data, offset):
    """One VS_VERSIONINFO-style node: (key, value, children); value is text or bytes."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_start = offset + 6
    key_end = key_start
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_start:key_end].decode("utf-16-le")
    position = (key_end + 2 + 3) & ~3
    if value_type == 1:
        value = data[position:position + 2 * value_length].decode("utf-16-le").rstrip("\0")
        position += 2 * value_length
    else:
        value = data[position:position + value_length]
        position += value_length
    children = []
    position = (position + 3) & ~3
    while position < end:
        child = parse_block(data, position)
        children.append(child[:3])
        position = (child[3] + 3) & ~3
    return key, value, children, end


def version_numbers(most, least):
    return (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)


def check_version_resource(wrestool, module, failures):
    data = subprocess.run([wrestool, "--extract", "--raw", "--type=16", module],
                          check=True, capture_output=True).stdout
    if not data:
        failures.append("no version resource")
        return
    key, fixed, children, _ = parse_block(data, 0)
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if key != "VS_VERSION_INFO" or signature != 0xFEEF04BD:
        failures.append(f"not a version resource: {key!r} {signature:#x}")
        return
    if version_numbers(file_ms, file_ls) != FILE_VERSION:
        failures.append(f"fixed file version {version_numbers(file_ms, file_ls)}")
    if version_numbers(product_ms, product_ls) != PRODUCT_VERSION:
        failures.append(f"fixed product version {version_numbers(product_ms, product_ls)}")
    strings = {}
    for child_key, _, tables in children:
        if child_key == "StringFileInfo":
            for _, _, entries in tables:
                strings.update({name: value for name, value, _ in entries})
    if strings != VERSION_STRINGS:
        failures.append(f"version strings {strings}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--readobj", required=True)
    parser.add_argument("--wrestool", required=True)
    parser.add_argument("--bits", type=int, choices=MACHINES, required=True)
    parser.add_argument("--exports", nargs="+", required=True)
    parser.add_argument("module")
    args = parser.parse_args()

    failures = []
    machine = field_values(readobj(args.readobj, "--file-headers", args.module), "Machine")
    if not machine or not machine[0].startswith(MACHINES[args.bits]):
        failures.append(f"machine {machine}")
    exports = field_values(readobj(args.readobj, "--coff-exports", args.module), "Name")
    if sorted(exports) != sorted(args.exports):
        failures.append(f"exports {sorted(exports)}, expected {sorted(args.exports)}")
    imports = field_values(readobj(args.readobj, "--coff-imports", args.module), "Name")
    foreign = sorted(name for name in imports if name.lower() not in SYSTEM_DLLS)
    if not imports or foreign:
        failures.append(f"imports {foreign or 'nothing'} besides Windows system DLLs")
    check_version_resource(args.wrestool, args.module, failures)

    for failure in failures:
        print(f"{args.module}: {failure}")
    if not failures:
        print(f"{args.module}: {MACHINES[args.bits]}, exports {sorted(exports)}, "
              f"imports {len(imports)} system DLLs, version resource as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
