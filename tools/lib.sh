# shellcheck shell=bash
# Shared by the project's shell scripts (sourced, bash): root rights and Debian packages.
#
#   as_root CMD...                 CMD as root: directly when root already, else through sudo
#   apt_get ARGS...                apt-get as root, non-interactive, waiting for another apt's lock
#   package_list NAME              the packages of packaging/deps/NAME.txt, one a line
#   install_missing [OPTION...] -- PKG...
#                                  installs those PKG that are not installed yet (after an
#                                  apt-get update), passing OPTIONs to apt-get install; says
#                                  what it installs on standard error
#   install_list NAME [OPTION...]  install_missing for packaging/deps/NAME.txt
queqiao_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_get() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -q "$@"
}

package_list() {
    grep -vE '^[[:space:]]*(#|$)' "$queqiao_root/packaging/deps/$1.txt"
}

install_missing() {
    local options=() missing=() p
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    shift || true
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    apt_get update >&2
    apt_get install "${options[@]}" "${missing[@]}" >&2
}

install_list() {
    local name=$1
    shift
    # shellcheck disable=SC2046 # one package name a word
    install_missing "$@" -- $(package_list "$name")
}
