#!/usr/bin/env bash
# Installs what the build, the tests, the fuzzers and the benchmarks need, from Debian's packages.
# Idempotent: when every package is already there it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libboost-dev libboost-system-dev libboost-thread-dev libboost-date-time-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev clang-format
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" = 0 ] || sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
