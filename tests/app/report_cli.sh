#!/bin/bash
# The report commands as a user runs them: exit codes, what is left out and
# said, and an existing report kept byte for byte when writing fails.
# Usage: report_cli.sh BRUMALIS WORKDIR
set -u
B="$1"
W="$2"
rm -rf "$W" && mkdir -p "$W/cfg" "$W/texts" && cd "$W" || exit 1
export XDG_CONFIG_HOME="$W/cfg" BRUMALIS_LANGUAGE=en
fail() { echo "FAIL: $*"; exit 1; }
sel=(--condenser air --family cooling --cooling 100 --no-store)

"$B" report select "${sel[@]}" --take 1 -o r.rtf --json >out.json 2>err.txt || fail "report select: $(cat err.txt)"
head -c 5 r.rtf | grep -q '{\\rtf' || fail "no RTF written"
grep -q '"solutions":1' out.json || fail "--json: $(cat out.json)"
grep -q "\"bytes\":$(stat -c %s r.rtf)," out.json || fail "--json bytes: $(cat out.json)"

# Standard output.
"$B" report select "${sel[@]}" --take 1 -o - >std.rtf 2>/dev/null || fail "-o -"
cmp -s std.rtf r.rtf || fail "-o - differs from the file"

# A missing cover page: a warning, the report written, exit 0.
"$B" report select "${sel[@]}" --take 1 --cover nowhere.xml -o c.rtf 2>err.txt || fail "missing cover exits $?"
grep -q "left out nowhere.xml" err.txt || fail "no warning of the missing cover: $(cat err.txt)"
[ -s c.rtf ] || fail "no report with a missing cover"

# Damaged specification texts: left out with file and offset; silent for absent per-model files.
printf '<spec><p>cut' >"texts/ACQ 100.spt"
"$B" report select "${sel[@]}" --take 1 --spec-texts texts -o s.rtf 2>err.txt || fail "damaged text exits $?"
grep -q "left out texts/ACQ 100.spt: .*offset" err.txt || fail "no warning with offset: $(cat err.txt)"
rm "texts/ACQ 100.spt"
"$B" report select "${sel[@]}" --take 1 --spec-texts texts -o s.rtf 2>err.txt || fail "absent texts exit $?"
[ -s err.txt ] && fail "absent per-model texts are reported: $(cat err.txt)"

# A missing folder, a parent that is a file, a write cut short: exit 1, the old file kept.
cp r.rtf old.rtf
"$B" report select "${sel[@]}" -o missing/r.rtf 2>err.txt; rc=$?
[ $rc -eq 1 ] || fail "a missing folder exits $rc"
"$B" report select "${sel[@]}" -o r.rtf/x.rtf 2>err.txt; rc=$?
[ $rc -eq 1 ] || fail "a file as folder exits $rc"
( ulimit -f 64; trap '' XFSZ; exec "$B" report select "${sel[@]}" -o r.rtf ) >/dev/null 2>err.txt; rc=$?
[ $rc -eq 1 ] || fail "a cut write exits $rc"
grep -q "was not changed" err.txt || fail "a cut write says nothing: $(cat err.txt)"
cmp -s r.rtf old.rtf || fail "a cut write changed the old report"
ls r.rtf.* .r.rtf* >/dev/null 2>&1 && fail "a cut write left its temporary file"

# Nothing to report, bad criteria, bad usage.
"$B" report select --condenser air --family cooling --cooling 100000 --no-store -o n.rtf 2>/dev/null; rc=$?
[ $rc -eq 1 ] || fail "nothing to report exits $rc"
[ -e n.rtf ] && fail "a report of nothing was written"
"$B" report analyse "NO SUCH" -o n.rtf 2>/dev/null; rc=$?
[ $rc -eq 1 ] || fail "an unknown model exits $rc"
"$B" report select "${sel[@]}" 2>/dev/null; rc=$?
[ $rc -eq 2 ] || fail "no -o exits $rc"
"$B" report select "${sel[@]}" --eseer --iplv -o x.rtf 2>/dev/null; rc=$?
[ $rc -eq 2 ] || fail "--eseer with --iplv exits $rc"
"$B" report sideways -o x.rtf 2>/dev/null; rc=$?
[ $rc -eq 2 ] || fail "an unknown report exits $rc"

# A project and an analysis.
"$B" project new p.cpf && "$B" basket add p.cpf "${sel[@]}" >/dev/null 2>&1 || fail "project"
"$B" report project p.cpf -o p.rtf --iplv 2>err.txt || fail "report project: $(cat err.txt)"
grep -q "IPLV" p.rtf || fail "--iplv: no IPLV in the report"
"$B" report project missing.cpf -o p2.rtf 2>/dev/null; rc=$?
[ $rc -eq 1 ] || fail "a missing project exits $rc"
"$B" report analyse "ACW 350" --lwe 7 -o a.rtf 2>err.txt || fail "report analyse: $(cat err.txt)"
grep -q "Analysis Results" a.rtf || fail "no analysis heading"

# No viewer on the path: written, exit 3.
( PATH=/nonexistent; exec "$B" report select "${sel[@]}" --take 1 -o v.rtf --open ) 2>err.txt; rc=$?
[ $rc -eq 3 ] || fail "no viewer exits $rc"
[ -s v.rtf ] || fail "no report without a viewer"
echo "report commands: all checks passed"
