#!/usr/bin/env bash
# Installs what is missing, builds the `release` preset and starts RASTERBLICK
# on the current display. Arguments are passed on to the program.
#
# Usage: scripts/run.sh [PROGRAM-ARGS...]
# Environment: RASTERBLICK_JOBS=N build jobs (default 2)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

jobs=${RASTERBLICK_JOBS:-2}
build_dir="$root/build/release"

section() { printf '\n==== %s ====\n' "$*"; }

section "Debian packages"
bash "$root/scripts/setup-debian.sh"

section "Configure (release)"
# Ask CMake's file API for the code model, to find the program target and its file.
mkdir -p "$build_dir/.cmake/api/v1/query"
touch "$build_dir/.cmake/api/v1/query/codemodel-v2"
cmake --preset release

# Prints the path of the `rasterblick` executable from the code model, or nothing.
program_path() {
    python3 - "$build_dir" <<'EOF'
import glob, json, os, sys

build = sys.argv[1]
reply = os.path.join(build, ".cmake", "api", "v1", "reply")
indexes = sorted(glob.glob(os.path.join(reply, "index-*.json")))
if not indexes:
    sys.exit(0)
with open(indexes[-1]) as f:
    index = json.load(f)
for obj in index.get("objects", []):
    if obj.get("kind") != "codemodel":
        continue
    with open(os.path.join(reply, obj["jsonFile"])) as f:
        model = json.load(f)
    for config in model.get("configurations", []):
        for target in config.get("targets", []):
            if target.get("name") != "rasterblick":
                continue
            with open(os.path.join(reply, target["jsonFile"])) as f:
                info = json.load(f)
            for artifact in info.get("artifacts", []):
                path = artifact["path"]
                print(path if os.path.isabs(path) else os.path.join(build, path))
                sys.exit(0)
EOF
}

program=$(program_path || true)
if [[ -n $program ]]; then
    section "Build (release, target rasterblick, $jobs jobs)"
    cmake --build --preset release --parallel "$jobs" --target rasterblick
else
    section "Build (release, all targets, $jobs jobs)"
    echo "no target named rasterblick found; building everything"
    cmake --build --preset release --parallel "$jobs"
    program="$build_dir/rasterblick"
fi

if [[ ! -x $program ]]; then
    echo "run.sh: the program was not built: $program is missing" >&2
    exit 1
fi

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "run.sh: built $program, but there is no display (DISPLAY and WAYLAND_DISPLAY are unset); run it from a desktop session." >&2
    exit 1
fi

section "Start"
echo "$program $*"
exec "$program" "$@"
