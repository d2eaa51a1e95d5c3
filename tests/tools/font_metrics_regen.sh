#!/bin/sh
# The committed font metrics table is what tools/font-metrics writes from the
# font packages. Usage: font_metrics_regen.sh TOOL COMMITTED_TABLE WORK_DIR
# Without the tool or the fonts the test is skipped (exit 77), unless CI is
# set: there set-up installs them, so their absence is a failure.
tool="$1"; table="$2"; work="$3"
missing() {
  echo "$1"
  if [ -n "${CI:-}" ]; then exit 1; fi
  exit 77
}
[ -x "$tool" ] || missing "font-metrics was not built (FreeType development files missing)"
for f in /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf /usr/share/wine/fonts/tahoma.ttf; do
  [ -r "$f" ] || missing "font file $f missing (fonts-liberation2, fonts-wine)"
done
mkdir -p "$work"
"$tool" "$work/font_metrics_table.cpp" || exit 1
cmp "$work/font_metrics_table.cpp" "$table" || { echo "the committed table differs from the generated one"; exit 1; }
