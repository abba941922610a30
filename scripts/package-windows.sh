#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh, the `win64` preset) and
# packs it with its German read-me into build/win64/rasterblick-VERSION-win64.zip
# (CPack's ZIP generator; VERSION is the project() version of CMakeLists.txt).
# Checks the zip: exactly rasterblick.exe, a 64-bit Windows program, and
# LIESMICH.txt, UTF-8 with a byte order mark and CRLF line ends, in one folder
# named like the zip. Prints where the zip is. Exits non-zero on any failure.
#
# Usage: scripts/package-windows.sh [--build-dir DIR]
#   --build-dir DIR  pack an existing win64 build there instead of building
#                    build/win64 with scripts/build-windows.sh
# Environment: RASTERBLICK_JOBS=N build jobs (default 2)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build_dir=""
while (($# > 0)); do
    case $1 in
    --build-dir)
        build_dir=$(realpath -m "${2:?--build-dir needs a directory}")
        shift
        ;;
    -h | --help)
        sed -n '2,12p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "package-windows.sh: unknown argument: $1 (try --help)" >&2
        exit 2
        ;;
    esac
    shift
done

section() { printf '\n==== %s ====\n' "$*"; }

if [[ -z $build_dir ]]; then
    build_dir="$root/build/win64"
    bash "$root/scripts/build-windows.sh"
else
    [[ -f $build_dir/CPackConfig.cmake ]] || {
        echo "package-windows.sh: $build_dir is not a configured build" >&2
        exit 1
    }
    section "Build (win64 in $build_dir)"
    cmake --build "$build_dir" --parallel "${RASTERBLICK_JOBS:-2}" --target rasterblick
fi

version=$(sed -n 's/^project(rasterblick VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[[ -n $version ]] || {
    echo "package-windows.sh: no project() version in CMakeLists.txt" >&2
    exit 1
}
name="rasterblick-$version-win64"
zip="$build_dir/$name.zip"

section "Package (cpack, ZIP)"
rm -f "$zip"
(cd "$build_dir" && cpack --config CPackConfig.cmake)

section "Check $name.zip"
/usr/bin/python3 - "$zip" "$name" "$version" <<'EOF'
import re
import struct
import sys
import zipfile

path, folder, version = sys.argv[1:4]
problems = []
with zipfile.ZipFile(path) as archive:
    names = sorted(n for n in archive.namelist() if not n.endswith("/"))
    wanted = sorted([f"{folder}/LIESMICH.txt", f"{folder}/rasterblick.exe"])
    if names != wanted:
        sys.exit(f"the zip holds {names}, not {wanted}")
    exe = archive.read(f"{folder}/rasterblick.exe")
    readme = archive.read(f"{folder}/LIESMICH.txt")

# A PE file for x86-64 with the Windows GUI subsystem.
pe = struct.unpack_from("<I", exe, 0x3C)[0] if exe[:2] == b"MZ" else None
if pe is None or exe[pe:pe + 4] != b"PE\0\0":
    problems.append("rasterblick.exe is not a PE file")
else:
    machine = struct.unpack_from("<H", exe, pe + 4)[0]
    subsystem = struct.unpack_from("<H", exe, pe + 24 + 68)[0]
    if machine != 0x8664:
        problems.append(f"rasterblick.exe is for machine {machine:#x}, not x86-64")
    if subsystem != 2:
        problems.append(f"rasterblick.exe has subsystem {subsystem}, not the Windows GUI")

if not readme.startswith(b"\xef\xbb\xbf"):
    problems.append("LIESMICH.txt has no UTF-8 byte order mark")
if readme.count(b"\n") != readme.count(b"\r\n") or readme.count(b"\r") != readme.count(b"\r\n"):
    problems.append("LIESMICH.txt has line ends other than CRLF")
try:
    text = readme[3:].decode("utf-8")
except UnicodeDecodeError as error:
    problems.append(f"LIESMICH.txt is not UTF-8: {error}")
    text = ""
if text and (f"RASTERBLICK {version}" not in text or "ü" not in text):
    problems.append("LIESMICH.txt does not name the version or lost its umlauts")
if re.search(r"@[A-Z_]+@", text):
    problems.append("LIESMICH.txt has an unreplaced @VARIABLE@")

if problems:
    sys.exit("\n".join(problems))
print(f"{folder}/rasterblick.exe: {len(exe)} bytes, PE x86-64, Windows GUI")
print(f"{folder}/LIESMICH.txt: {len(text.splitlines())} lines, UTF-8 with BOM, CRLF")
EOF

section "Result"
printf '%s (%d bytes, version %s)\n' "$zip" "$(stat -c %s "$zip")" "$version"
