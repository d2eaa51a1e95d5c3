#!/bin/sh
# Start-up time of the desktop program to an interactive main window: ten
# fresh processes, each clocked from outside: from just before the process
# is started to the first idle moment after its window was exposed, which
# the program reports with BRUMALIS_STARTUP_PROBE=1 before it quits by
# itself. Prints the first and the median run, the median processor time
# (user + system, the whole process) and the step times of the median run.
# Offscreen unless QT_QPA_PLATFORM says otherwise (QT_QPA_PLATFORM=xcb with
# DISPLAY set for an X server such as Xvfb).
#
#   bench/gui_startup.sh [path to brumalis-gui] [runs]
set -eu

program=${1:-build/release/app/brumalis-gui}
runs=${2:-10}
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/brumalis-startup-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" BRUMALIS_STARTUP_PROBE=1
# No modal window may stop a run: the welcome hint is switched off, and one
# start with a parameter (which shows neither the hint nor the first-run
# disclaimer) counts this version as started before.
mkdir -p "$work/config/brumalis"
printf '[Software\\Orvane\\Brumalis]\nUpdateHint=bool:false\n' >"$work/config/brumalis/registry.ini"
"$program" "$work/counted-start" >/dev/null 2>"$work/err0.txt" || {
    echo "the counting start failed:" >&2
    cat "$work/err0.txt" >&2
    exit 1
}
timer=""
[ -x /usr/bin/time ] && timer="/usr/bin/time -f %U+%S -o"

i=1
while [ "$i" -le "$runs" ]; do
    start=$(date +%s%N)
    if ! ${timer:+$timer "$work/cpu$i.txt"} "$program" >"$work/run$i.txt" 2>"$work/err$i.txt"; then
        echo "run $i failed:" >&2
        cat "$work/err$i.txt" >&2
        exit 1
    fi
    interactive=$(awk '/^Interactive at: / { print $3 }' "$work/run$i.txt")
    [ -n "$interactive" ] || { echo "run $i printed no probe figures" >&2; exit 1; }
    echo "$(( (interactive - start) / 1000 )) $i" >>"$work/times.txt"
    [ -z "$timer" ] || awk -F+ '{ printf "%d\n", ($1 + $2) * 1000000 }' "$work/cpu$i.txt" >>"$work/cpu.txt"
    i=$((i + 1))
done

ms() { awk -v us="$1" 'BEGIN { printf "%.1f ms", us / 1000 }'; }
median_of() { sort -n "$1" | awk -v n="$runs" 'NR == int((n + 1) / 2) { print }'; }
first=$(awk 'NR == 1 { print $1 }' "$work/times.txt")
median_line=$(median_of "$work/times.txt")
median=${median_line%% *}
median_run=${median_line#* }

echo "platform: $QT_QPA_PLATFORM, $runs runs, to an interactive main window"
echo "first:  $(ms "$first")"
echo "median: $(ms "$median") (run $median_run)"
[ -z "$timer" ] || echo "median processor time of a whole run: $(ms "$(median_of "$work/cpu.txt")")"
echo "steps of run $median_run, inside the program:"
grep -v '^Interactive at: ' "$work/run$median_run.txt" | sed 's/^/  /'
