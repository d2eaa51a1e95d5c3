#!/usr/bin/env bash
# Sets up the machine, builds the program and runs its main job: a selection
# for a typical requirement (350 kW air-cooled cooling at 7/12 °C and 35 °C
# ambient) on the catalogue built into the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
dir="$("$root/scripts/build.sh" release)"
"$dir/app/brumalis" select --condenser air --family cooling --cooling 350 \
  --lwe 7 --dte 5 --ambient 35 --no-store
