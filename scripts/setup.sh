#!/usr/bin/env bash
# Installs every package the build, the tests, the fuzzers and the benchmarks
# need, with apt-get, when any is missing. Quiet and quick when all is there.
# The 32-bit build (preset native32) needs the i386 architecture for its
# GoogleTest and zlib, and qemu-i386 to run its tests on a kernel without
# 32-bit support.
set -euo pipefail

packages=(
  cmake ninja-build g++ git python3
  mingw-w64 mingw-w64-tools libz-mingw-w64-dev
  libwine-dev wine wine64 xvfb xauth
  zlib1g-dev libbz2-dev liblzma-dev libzstd-dev libisal-dev pkg-config googletest libgtest-dev
  clang libclang-rt-14-dev
  unzip zip 7zip p7zip-full zstd
  g++-multilib libgtest-dev:i386 zlib1g-dev:i386 qemu-user
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
