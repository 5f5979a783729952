#!/usr/bin/env bash
# Installs, without questions, every Debian package the build and the tests need.
# A second run is a no-op.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
    clang libclang-rt-14-dev
    qt6-base-dev
    nlohmann-json3-dev python3-jsonschema
    qt6-svg-dev
    xvfb xauth fonts-liberation fonts-dejavu-core locales
    cmark-gfm file dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# a German locale lets the tests check that "." stays the decimal separator
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
    sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
fi
