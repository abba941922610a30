#!/usr/bin/env bash
# Installs Debian packages that are missing, and only those, so that a second
# run is quick and changes nothing. Source it and call:
#   rb_install_packages LOG-NAME PACKAGE...
# LOG-NAME prefixes every line it prints. Fails (status 1) on a system without
# dpkg and apt-get, or when a package is still missing afterwards.

rb_packages_log() { printf '%s: %s\n' "$RB_PACKAGES_LOG_NAME" "$*"; }

rb_install_packages() {
    local RB_PACKAGES_LOG_NAME=$1
    shift
    local packages=("$@")

    if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
        rb_packages_log "this needs Debian (dpkg-query and apt-get were not found)" >&2
        return 1
    fi

    # Which of the packages are not installed? One dpkg-query call for all of them.
    local -A installed=()
    local name status pkg
    while read -r name status; do
        [[ $status == installed ]] && installed[$name]=1
    done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)

    local missing=()
    for pkg in "${packages[@]}"; do
        [[ -n ${installed[$pkg]:-} ]] || missing+=("$pkg")
    done
    if ((${#missing[@]} == 0)); then
        rb_packages_log "all ${#packages[@]} packages are installed"
        return 0
    fi

    local sudo=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null 2>&1; then
            rb_packages_log "not root and sudo is not installed; run this as root" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    local apt_opts=(-y -q -o DPkg::Lock::Timeout=600
        -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)

    rb_packages_log "missing: ${missing[*]}"
    rb_packages_log "apt-get update"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" update
    rb_packages_log "apt-get install"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get "${apt_opts[@]}" install --no-install-recommends "${missing[@]}"

    # Check that everything really is there now.
    local still_missing=()
    for pkg in "${missing[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
        [[ $status == installed ]] || still_missing+=("$pkg")
    done
    if ((${#still_missing[@]} > 0)); then
        rb_packages_log "still not installed: ${still_missing[*]}" >&2
        return 1
    fi
    rb_packages_log "installed ${#missing[@]} package(s)"
}
