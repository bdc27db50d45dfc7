#!/usr/bin/env bash
# Installs what building the program needs on Debian 12; with --tests also what the
# tests need. Packages already present are left alone, so a second run is quick.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config juce-modules-source libboost-dev)

if [[ "${1:-}" == "--tests" ]]; then
    packages+=(libgtest-dev xvfb xauth x11-utils clang libclang-rt-14-dev imagemagick)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if (( ${#missing[@]} > 0 )); then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
