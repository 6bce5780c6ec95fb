#!/usr/bin/env bash
# Installs from Debian's packages whatever the build, the tests and the window
# need and this machine lacks. Uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-wine fonts-dejavu-core
  locales
)
# With --extra, also what the fuzzers need beyond the build's own compiler:
# Clang 14 and its runtime libraries (libFuzzer and the sanitizers).
extra_packages=(clang-14 libclang-rt-14-dev)
if [ "${1:-}" = "--extra" ]; then
  packages+=("${extra_packages[@]}")
fi
if [ "${TARVINEL_EXTRA_PACKAGES:-}" != "" ]; then
  # shellcheck disable=SC2206
  packages+=(${TARVINEL_EXTRA_PACKAGES})
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing from Debian: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
