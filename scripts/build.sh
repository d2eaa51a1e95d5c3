#!/usr/bin/env bash
# Configures and builds one flavour: release (default), sanitize or fuzz.
# Usage: scripts/build.sh [release|sanitize|fuzz]   Prints the build folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
flavour="${1:-release}"
dir="$root/build/$flavour"
case "$flavour" in
  release)  args=(-DCMAKE_BUILD_TYPE=Release) ;;
  sanitize) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRUMALIS_SANITIZE=ON -DBRUMALIS_BENCH=OFF) ;;
  fuzz)     args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DBRUMALIS_FUZZ=ON
                  -DBRUMALIS_TESTS=OFF -DBRUMALIS_BENCH=OFF) ;;
  *) echo "unknown flavour '$flavour'" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)" >&2
echo "$dir"
