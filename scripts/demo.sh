#!/usr/bin/env bash
# Builds everything and runs the demo: for now it builds a login request the way the trading library
# does and prints the frame's bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p build && cmake -S . -B build -G Ninja >build/configure.log 2>&1 || { cat build/configure.log; exit 1; }
ninja -C build -j "$(nproc)" package_dump
build/examples/package_dump
