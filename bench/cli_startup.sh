#!/usr/bin/env bash
# The command line as a whole process: the README's selection (350 kW
# air-cooled cooling at 7/12 °C and 35 °C ambient) run N times; prints the
# median and the fastest wall time, the peak memory and the machine's load,
# which must be quoted with the figures (other work on the machine slows
# every run).
# Usage: bench/cli_startup.sh [PROGRAM] [RUNS]   (default build/release/app/brumalis, 21)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/release/app/brumalis}"
runs="${2:-21}"
args=(select --condenser air --family cooling --cooling 350 --lwe 7 --dte 5 --ambient 35 --no-store)

"$program" "${args[@]}" > /dev/null  # warms the page cache
times=()
peak=0
for ((i = 0; i < runs; ++i)); do
  start=$(date +%s%N)
  kb=$(/usr/bin/time -f %M "$program" "${args[@]}" 2>&1 > /dev/null | tail -n 1)
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000 )))
  (( kb > peak )) && peak=$kb
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }
echo "program: $program"
echo "runs: $runs  median: $(ms "${sorted[$((runs / 2))]}") ms  min: $(ms "${sorted[0]}") ms  peak memory: $((peak / 1024)) MB"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
