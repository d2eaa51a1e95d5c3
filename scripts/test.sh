#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test twice: in Release and
# under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
status=0
for flavour in release sanitize; do
  echo "== $flavour build"
  dir="$("$root/scripts/build.sh" "$flavour")"
  echo "== $flavour tests"
  ctest --test-dir "$dir" -j "$(nproc)" --output-on-failure || status=1
done
exit $status
