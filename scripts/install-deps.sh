#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages from scripts/debian-packages.txt that are
# not installed yet. Works as root and through sudo; does nothing when all are present.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

wanted=$(grep -v -E '^\s*(#|$)' "$here/debian-packages.txt")
missing=()
for package in $wanted; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "Need root or sudo to install: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# Packages named with ":i386" (Wine's 32-bit half) need the architecture enabled first.
if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
