#!/usr/bin/env bash
# Installs the Debian packages the project needs (when any is missing) and builds it
# into ./build: the targets named as arguments, or everything without any.
# Run as root on a fresh Debian machine; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          zlib1g-dev fonts-liberation2 xvfb xauth locales)
packages+=(desktop-file-utils appstream dpkg-dev fakeroot)  # checks of the install and package
packages+=(clang-format)  # the formatting check CI runs
packages+=(lintian)  # the package's check
packages+=(pybind11-dev python3-dev python3-numpy python3-pytest)  # the Python module
packages+=(munge slurmctld slurmd slurm-client)  # scripts/test-slurm.sh's one-node cluster
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
