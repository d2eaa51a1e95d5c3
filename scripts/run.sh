#!/usr/bin/env bash
# Sets up the machine, builds the program and runs its main job on a sample.
# For now: the data tool compresses the sample controller database, expands
# it again and lists it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
dir="$("$root/scripts/build.sh" release)"
tool="$dir/tools/brumalis-edi/brumalis-edi"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$tool" compress "$root/tests/data/controllers.edi" "$work/controllers.qxz"
"$tool" check "$work/controllers.qxz"
"$tool" dump "$work/controllers.qxz"
