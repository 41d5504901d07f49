"""Checks a Windows installer without running it, from its tables (msitools' msiinfo): identity,
upgrade code, per-machine scope, icon, the architecture, and where each file goes. With --alongside,
also that it and the other package agree on every component both install to the same place."""

import argparse
import pathlib
import subprocess
import sys

ARCHES = {  # upgrade code, product name, template, program and common files folders, bits
    "x64": ("{E4B3FED8-F9BF-41C2-A07C-CE28B4B8B928}", "Halvo", "x64;1033", "ProgramFiles64Folder",
            "CommonFiles64Folder", 64),
    "x86": ("{1CDC0151-54BA-453B-88BE-D7369EA12A36}", "Halvo (32-bit)", "Intel;1033",
            "ProgramFilesFolder", "CommonFilesFolder", 32),
}


def msiinfo(*args):
    return subprocess.run(["msiinfo", *args], check=True, capture_output=True, text=True).stdout


def table(package, name):
    # Three header lines: column names, column types, table name and keys.
    return [line.split("\t") for line in msiinfo("export", package, name).splitlines()[3:]]


def long_name(field):
    """A Directory or File table name: "target:source" and "short|long" forms."""
    return field.split(":")[0].split("|")[-1]


def folder_places(package):
    """A function giving a Directory table entry's place, as "[RootFolderProperty]Folder\\Folder\\"."""
    directories = {row[0]: (row[1], long_name(row[2])) for row in table(package, "Directory")}

    def place(directory):
        parent, folder = directories[directory]
        return f"[{directory}]" if folder == "." else place(parent) + folder + "\\"

    return place


def components_by_place(package):
    """Each component's definition, keyed by its key path's place (its file, or its folder): GUID,
    attributes, condition, and the files (with sizes and hashes) and folder removals it owns."""
    place = folder_places(package)
    hashes = {row[0]: tuple(row[1:]) for row in table(package, "MsiFileHash")}
    names, owned = {}, {}
    for file, component, name, *rest in table(package, "File"):  # the last column orders the cabinet only
        names[file] = long_name(name)
        owned.setdefault(component, []).append((file, names[file], *rest[:-1], hashes.get(file)))
    for removal, component, name, directory, mode in table(package, "RemoveFile"):
        owned.setdefault(component, []).append((removal, name, place(directory), mode))
    return {place(directory) + names.get(key_path, ""): {
                "GUID": guid.upper(), "id": component, "folder": place(directory), "attributes": attributes,
                "condition": condition, "key path": key_path, "owns": sorted(owned.get(component, []))}
            for component, guid, directory, attributes, condition, key_path in table(package, "Component")}


def disagreements(package, other):
    """Windows Installer counts a component's clients by GUID: what both packages install to the same
    place must be the same component, defined the same; a GUID both use must mean the same place."""
    ours, theirs = components_by_place(package), components_by_place(other)
    failures = [f"{place}: {field} {ours[place][field]} here, {theirs[place][field]} in {other}"
                for place in sorted(ours.keys() & theirs.keys())
                for field in ours[place] if ours[place][field] != theirs[place][field]]
    their_places = {definition["GUID"]: place for place, definition in theirs.items()}
    failures += [f"component {definition['GUID']} is {place} here, {their_places[definition['GUID']]} "
                 f"in {other}" for place, definition in sorted(ours.items())
                 if their_places.get(definition["GUID"], place) != place]
    return failures, sorted(ours.keys() & theirs.keys())


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--arch", choices=ARCHES, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--presets", type=pathlib.Path, required=True)  # may be absent
    parser.add_argument("--alongside", help="the other architecture's package")
    parser.add_argument("package")
    args = parser.parse_args()
    upgrade_code, name, template, programs, common, bits = ARCHES[args.arch]

    failures = []
    properties = dict(row[:2] for row in table(args.package, "Property"))
    expected = {"ProductName": name, "Manufacturer": "Drovask", "ProductVersion": args.version,
                "UpgradeCode": upgrade_code, "ALLUSERS": "1", "ARPPRODUCTICON": "Halvo.ico"}
    failures += [f"property {key} is {properties.get(key)!r}, expected {value!r}"
                 for key, value in expected.items() if properties.get(key, "").upper() != value.upper()]
    if "VST2DIR" not in properties.get("SecureCustomProperties", "").split(";"):
        failures.append("VST2DIR is not a secure property")
    if f"Template: {template}\n" not in msiinfo("suminfo", args.package):
        failures.append(f"not a {template} package")
    # An older version goes out whole before this one goes in; removed afterwards, it would take the
    # files of every component whose GUID changed between the versions.
    sequence = {row[0]: int(row[2]) for row in table(args.package, "InstallExecuteSequence")}
    if not sequence["InstallValidate"] < sequence["RemoveExistingProducts"] < sequence["InstallInitialize"]:
        failures.append(f"removes the older version at {sequence['RemoveExistingProducts']}, not between "
                        "InstallValidate and InstallInitialize")

    place = folder_places(args.package)
    components = {row[0]: row for row in table(args.package, "Component")}
    files = {place(components[row[1]][2]) + long_name(row[2]) for row in table(args.package, "File")}
    if components["Vst2Module"][2] != "VST2DIR":
        failures.append("the VST 2.4 module is not in VST2DIR")

    bundle = f"[{common}]VST3\\Halvo.vst3\\Contents\\"
    want = {f"[{programs}]VSTPlugins\\Halvo_{bits}bit.dll", bundle + "x86-win\\Halvo.vst3"}
    if bits == 64:
        want.add(bundle + "x86_64-win\\Halvo.vst3")
    want.update(f"[CommonAppDataFolder]VST3 Presets\\Drovask\\Halvo\\{preset.name}"
                for preset in args.presets.glob("*.vstpreset"))
    failures += [f"does not install {file}" for file in sorted(want - files)]
    failures += [f"installs {file}, which it should not" for file in sorted(files - want)]

    if args.alongside:
        disagreeing, shared = disagreements(args.package, args.alongside)
        failures += disagreeing
        print(f"{args.package} and {args.alongside} share {len(shared)} components:", *shared, sep="\n  ")

    print("\n".join(f"{args.package}: {failure}" for failure in failures) or
          f"{args.package}: {name} {args.version} by Drovask, {template}, per machine, {len(files)} files")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
