#!/bin/bash
# Baskets built with the program, reopened by fresh processes: the same
# text and JSON, and save, open, save byte for byte the same.
# Usage: project_round_trip.sh BRUMALIS WORKDIR
. "$(dirname "$0")/project_script_prologue.sh"
cool() { echo --condenser air --family cooling --cooling "$1" --no-store; }

"$B" project new p.cpf || fail "project new"
# Pump and low noise on a unit without option codes (the non-standard pump).
"$B" basket add p.cpf $(cool 350) --tick LN1 --tick P2 --answer yes >/dev/null 2>&1 || fail "pump and low noise"
# Heat recovery at its own leaving temperature.
"$B" basket add p.cpf $(cool 350) --tick HR --hr-leaving 48 >/dev/null 2>&1 || fail "heat recovery"
# Plants of two, three and four units, one with an option ticked on its second unit.
"$B" plant $(cool 700) --unit 1 --unit 1 --add-to p.cpf >/dev/null 2>&1 || fail "plant of 2"
"$B" plant $(cool 700) --unit 1 --unit 1 --unit 1 --tick 2:LN1 --capacity 1800 --add-to p.cpf >/dev/null 2>&1 || fail "plant of 3"
"$B" plant $(cool 700) --unit 1 --unit 1 --unit 1 --unit 1 --add-to p.cpf >/dev/null 2>&1 || fail "plant of 4"
# A heat pump selected on heating.
"$B" basket add p.cpf --condenser air --family heatpump --heating 200 --mode heating --no-store >/dev/null 2>&1 \
    || fail "heat pump on heating"

"$B" project show p.cpf > show1.txt 2>/dev/null || fail "project show"
"$B" project show p.cpf --json > show1.json 2>/dev/null || fail "project show --json"
[ "$(sed -n 2p show1.txt | awk '{ print $NF }')" = "6" ] || fail "the basket holds $(sed -n 2p show1.txt)"
grep -q '"kind":"plant"' show1.json || fail "no plant in the JSON"
grep -q '"eseer":[0-9]' show1.json || fail "ESEER not refilled"
grep -q '"eer_at_100":' show1.json || fail "no EER @ 100% in the JSON"
"$B" project show p.cpf > show2.txt 2>/dev/null
"$B" project show p.cpf --json > show2.json 2>/dev/null
cmp -s show1.txt show2.txt || fail "a fresh process shows another text"
cmp -s show1.json show2.json || fail "a fresh process shows other JSON"

"$B" project save p.cpf --as copy.cpf 2>/dev/null || fail "save --as"
"$B" project save copy.cpf --as again.cpf 2>/dev/null || fail "save --as of the copy"
cmp -s p.cpf copy.cpf || fail "open and save changed the file"
cmp -s copy.cpf again.cpf || fail "save, open, save is not byte-identical"
"$B" project show copy.cpf --json 2>/dev/null | sed 's/"file":"[^"]*"//' > copy.json
sed 's/"file":"[^"]*"//' show1.json | cmp -s - copy.json || fail "the copy shows other JSON"
echo "round trip: ok"
