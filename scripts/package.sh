#!/usr/bin/env bash
# Installs what is missing, builds the program from the `release` preset (with
# the distribution's hardening flags), makes the Debian package with CPack and
# checks it: the desktop entry (desktop-file-validate), the AppStream metainfo
# (appstreamcli validate --no-net), lintian (no errors), the hardening of the
# program, and the package's contents and fields. Prints where the .deb is.
# Exits non-zero if any step fails.
#
# Usage: scripts/package.sh [--build-dir DIR]
#   --build-dir DIR  build there (default build/package); the program's tests
#                    and benchmarks are left out of this build
# Environment: RASTERBLICK_JOBS=N build jobs (default 2)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build_dir="$root/build/package"
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
        echo "package.sh: unknown argument: $1 (try --help)" >&2
        exit 2
        ;;
    esac
    shift
done

jobs=${RASTERBLICK_JOBS:-2}

section() { printf '\n==== %s ====\n' "$*"; }
fail() {
    printf 'package.sh: %s\n' "$*" >&2
    exit 1
}

unpacked=""
cleanup() { [[ -z $unpacked ]] || rm -rf "$unpacked"; }
trap cleanup EXIT

section "Debian packages"
bash "$root/scripts/setup-debian.sh"

section "Configure (release preset in $build_dir)"
cmake --preset release -B "$build_dir" -DRASTERBLICK_TESTS=OFF -DRASTERBLICK_BENCHMARKS=OFF

section "Build ($jobs jobs)"
cmake --build "$build_dir" --parallel "$jobs"

section "Package (cpack)"
rm -f "$build_dir"/rasterblick_*.deb
(cd "$build_dir" && cpack --config CPackConfig.cmake)
debs=("$build_dir"/rasterblick_*.deb)
((${#debs[@]} == 1)) && [[ -f ${debs[0]} ]] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/rasterblick-deb.XXXXXX")
dpkg-deb -x "$deb" "$unpacked"

field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
app_id=$(sed -n 's/^set(RB_APP_ID "\(.*\)")$/\1/p' "$root/packaging/linux/CMakeLists.txt")
[[ -n $app_id ]] || fail "no RB_APP_ID in packaging/linux/CMakeLists.txt"
desktop=usr/share/applications/$app_id.desktop
metainfo=usr/share/metainfo/$app_id.metainfo.xml

section "Contents (dpkg-deb -c)"
dpkg-deb -c "$deb"
# Every file the package must hold, and nothing else.
expected=(
    usr/bin/rasterblick
    "$desktop"
    "$metainfo"
    usr/share/man/man1/rasterblick.1.gz
    usr/share/doc/rasterblick/copyright
    usr/share/doc/rasterblick/changelog.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [[ $actual != "$wanted" ]]; then
    diff <(echo "$wanted") <(echo "$actual") | sed 's/^/  /' >&2 || true
    fail "the package holds other files than expected (< missing, > extra)"
fi
mode=$(dpkg-deb -c "$deb" | awk '$6 == "./usr/bin/rasterblick" { print $1 }')
[[ $mode == -rwxr-xr-x ]] || fail "usr/bin/rasterblick has mode $mode"
owners=$(dpkg-deb -c "$deb" | awk '$2 != "root/root"' | head -3)
[[ -z $owners ]] || fail "files not owned by root: $owners"
# The desktop entry starts what the package installs and shows its icons.
exec_line=$(sed -n 's/^Exec=//p' "$unpacked/$desktop")
icon_line=$(sed -n 's/^Icon=//p' "$unpacked/$desktop")
[[ -x $unpacked/usr/bin/${exec_line%% *} ]] || fail "Exec=$exec_line is not in the package"
[[ $icon_line == "$app_id" ]] || fail "Icon=$icon_line, but the icons are named $app_id"
for size in 16 48 256; do
    png="$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [[ $(file -b "$png") == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] ||
        fail "$png: $(file -b "$png")"
done
echo "contents: ${#expected[@]} files as expected"

section "Fields"
for name in Package Version Architecture Maintainer Section Depends Description; do
    printf '%s: %s\n' "$name" "$(field "$name" | head -1)"
done
# Filled in by dpkg-shlibdeps from the libraries the program links.
for library in libc6 libqt6widgets6 libqt6gui6 libqt6core6 libxcb1; do
    grep -Eq "(^|, )$library( |,|$)" <<<"$(field Depends)" ||
        fail "Depends names no $library: $(field Depends)"
done
changelog_version=$(dpkg-parsechangelog -l "$root/packaging/linux/changelog" -S Version)
[[ $changelog_version == "$version" ]] ||
    fail "the newest changelog entry is $changelog_version, the package $version"
echo "fields: as expected"

section "Desktop entry (desktop-file-validate)"
desktop-file-validate "$unpacked/$desktop"
echo "desktop-file-validate: no complaints"

section "AppStream metainfo (appstreamcli validate --no-net)"
appstreamcli validate --no-net "$unpacked/$metainfo"

section "lintian"
# Errors fail the package; warnings and infos are listed. Run as root, lintian
# says so on stderr each time: that line is dropped.
lintian --fail-on error --display-info "$deb" 2> >(grep -v 'running with root privileges' >&2)
echo "lintian: no errors"

section "Hardening"
(cd "$unpacked" && bash "$root/packaging/check-hardening.sh" usr/bin/rasterblick)

section "Result"
printf '%s (%d bytes, version %s)\n' "$deb" "$(stat -c %s "$deb")" "$version"
echo "install with: sudo apt-get install $deb"
