#!/bin/bash
# Project files under crashes, a full disk and concurrent commands, with the
# program as a user runs it: a killed or failing command leaves the old or
# the new file, never a damaged one; two commands at once keep both changes.
# Usage: project_file_robustness.sh BRUMALIS WORKDIR
. "$(dirname "$0")/project_script_prologue.sh"
add() { "$B" basket add "$1" --condenser air --family cooling --cooling "$2" --no-store >/dev/null 2>&1; }
# The number of solutions the file holds (the last number of the header row).
count() { "$B" project show "$1" 2>/dev/null | sed -n 2p | awk '{ print ($NF ~ /^[0-9]+$/) ? $NF : 0 }'; }

"$B" project new p.cpf || fail "project new"
add p.cpf 350 || fail "basket add"

# A write cut short by the file-size limit: -3, exit 1, the old file.
cp p.cpf before.cpf
( ulimit -f 1; trap '' XFSZ; exec "$B" basket add p.cpf --cooling 350 --no-store ) >/dev/null 2>err.txt
rc=$?
[ $rc -eq 1 ] || fail "a cut write exits $rc"
grep -q "Unable to create file p.cpf" err.txt || fail "a cut write gives no -3 message: $(cat err.txt)"
cmp -s p.cpf before.cpf || fail "a cut write changed the file"
ls p.cpf.* >/dev/null 2>&1 && fail "a cut write left its temporary file"

# Ten pairs of concurrent additions keep every solution.
for i in $(seq 10); do
    add p.cpf 300 & add p.cpf 500 & wait
done
n=$(count p.cpf)
[ "$n" -eq 21 ] || fail "concurrent additions kept $n of 21 solutions"

# Thirty additions killed over the second half of a measured run leave the
# old or the new file.
start=$(date +%s%N); add p.cpf 400; end=$(date +%s%N)
run_ms=$(( (end - start) / 1000000 ))
for i in $(seq 30); do
    before=$(count p.cpf)
    "$B" basket add p.cpf --cooling 400 --no-store >/dev/null 2>&1 &
    pid=$!
    sleep "$(awk -v r="$run_ms" -v i="$i" 'BEGIN { printf "%.3f", r * (0.5 + 0.5 * i / 30) / 1000 }')"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    after=$(count p.cpf)
    [ "$after" -eq "$before" ] || [ "$after" -eq $((before + 1)) ] || fail "kill $i: $before solutions became $after"
done
echo "robustness: ok (a run takes $run_ms ms)"
