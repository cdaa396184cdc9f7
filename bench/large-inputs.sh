#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Converts generated large bills of material with the program (to a KEL
# file, an export, and a KEL file with its JSON report) and prints, for
# each, the input's size, the peak memory (maximum resident set) and the
# elapsed time, as GNU time (Debian package "time") measures them. A
# benchmark, not a test: it prints figures and fails only when a
# conversion fails.
#
#   sh bench/large-inputs.sh build/src/kelconv [WORKDIR [NAME...]]
#
# NAMEs (below) limit the conversions to those inputs.
# Use a Release build. The inputs (about 500 MB in all) are written to
# WORKDIR, a new temporary directory by default, and removed afterwards; a
# WORKDIR given is kept with the inputs and every output (NAME.kel,
# NAME.export), so that two builds' outputs can be compared with cmp.
#   table-100mb  a drawing table of about 100 MB: seven columns, 470,000
#                rows of the families of a real drawing, handed assemblies;
#                the texts of a row share one height
#   jitter-100mb the same with the texts up to 0.05 units off their row's
#                line. So tall a table has no row tolerance that keeps its
#                rows apart: every text ends in a row of its own and no
#                item is written (the row search works as designed; the
#                conversion report warns about it).
#   rows-1m      a million rows of three texts (mark, quantity, material)
#   one-row-1m   one row holding a million texts, at a million positions
#   line-50mb    one entity line whose text is 50 MB long
#   wide-config  a configuration of 20,000 columns, every one of them
#                matched by a header, over 1,000 rows of 23 texts
set -eu
kelconv=$1
here=$(cd "$(dirname "$0")" && pwd)
config="$here/../examples/sample.cfg"
if [ $# -ge 2 ]; then
  work=$2
  mkdir -p "$work"
  keep=1
else
  work=$(mktemp -d)
  keep=0
fi

# The column headers of examples/sample.cfg, as examples/sample.orb places
# them (x in drawing units), above the rows.
header='
  printf "(30.0000 %.4f 0.0000),BILL OF MATERIAL\r\n", top + 8
  n = split("1.5 MARK|9 QTY|14 DESCRIPTION|40 LENGTH|50 GRADE|58 REMARKS|74 WEIGHT", h, "|")
  for (i = 1; i <= n; i++) {
    split(h[i], f, " ")
    printf "(%.4f %.4f 0.0000),%s\r\n", f[1], top, f[2]
  }'

# Rows 2 units apart, texts slightly beside their headers, as drawn;
# `table 1` also moves them off their row's line.
table() {
  awk -v rows=470000 -v top=2000000 -v jitter="$1" 'BEGIN {'"$header"'
    m = split("W12X26|PL1/2X6|L4X3X3/8|C10X15.3|HSS4X4X1/4|PIPE 4 STD|W/NUT 3/4 X 2 A325|ROD %%C3/4|MISC ANCHOR|WT6X13|MM GRATING|TS4X4X1/4", mat, "|")
    for (r = 0; r < rows; r++) {
      y = top - 2 * (r + 1) + jitter * (r % 5) * 0.01
      x = (r % 7) * 0.02
      if (r % 10 == 0) { mark = "A" r " L/R"; rem = "2L&3R" } else { mark = "p" r; rem = "" }
      printf "(%.4f %.4f 0.0000),%s\r\n", 1.6 + x, y, mark
      printf "(%.4f %.4f 0.0000),%d\r\n", 9 + x, y - jitter * 0.03, 2 + r % 8
      printf "(%.4f %.4f 0.0000),%s\r\n", 14.1 + x, y, mat[1 + r % m]
      printf "(%.4f %.4f 0.0000),%d'"'"'-%d\r\n", 40 + x, y + jitter * 0.02, 1 + r % 30, r % 12
      printf "(%.4f %.4f 0.0000),A%d\r\n", 50 + x, y, 36 + r % 3
      if (rem != "") printf "(%.4f %.4f 0.0000),%s\r\n", 58 + x, y, rem
      printf "(%.4f %.4f 0.0000),%d\r\n", 74 + x, y, 10 + r % 500
    }
  }'
}
table 0 >"$work/table-100mb.orb"
table 1 >"$work/jitter-100mb.orb"

awk -v rows=1000000 -v top=2100000 'BEGIN {'"$header"'
  for (r = 0; r < rows; r++) {
    y = top - 2 * (r + 1)
    printf "(1.6000 %d.0000 0.0000),B%d\r\n", y, r
    printf "(9.0000 %d.0000 0.0000),%d\r\n", y, 1 + r % 9
    printf "(14.1000 %d.0000 0.0000),PL1/2X%d\r\n", y, 2 + r % 20
  }
}' >"$work/rows-1m.orb"

awk -v texts=1000000 -v top=100 'BEGIN {'"$header"'
  printf "(1.6000 90.0000 0.0000),B1\r\n(9.0000 90.0000 0.0000),1\r\n"
  for (i = 0; i < texts; i++) printf "(%.3f 90.0000 0.0000),T%d\r\n", 14.1 + i / 1000, i
}' >"$work/one-row-1m.orb"

awk -v size=50000000 -v top=100 'BEGIN {'"$header"'
  printf "(1.6000 90.0000 0.0000),B1\r\n(9.0000 90.0000 0.0000),1\r\n"
  printf "(14.1000 90.0000 0.0000),PL1/2X6"
  chunk = "X1/2 W12X26 3/4 "
  for (i = 0; i < size / length(chunk); i++) printf "%s", chunk
  printf "\r\n"
}' >"$work/line-50mb.orb"

# Mark, quantity and material, then 19,997 remarks columns H3, H4, ...,
# each header drawn one unit right of the one before; the rows hold texts
# in the first three columns and twenty far to the right.
awk 'BEGIN {
  print "columns = ["
  print "  { header = \"MARK\", type = \"Piece Mark\", fractions = false },"
  print "  { header = \"QTY\", type = \"Quantity\", fractions = false },"
  print "  { header = \"DESCRIPTION\", type = \"Material\", fractions = false },"
  for (i = 3; i < 20000; i++)
    printf "  { header = \"H%d\", type = \"Remarks\", fractions = false },\n", i
  print "]"
}' >"$work/wide-config.toml"
"$kelconv" --make-config /O "$work/wide-config.toml" "$work/wide-config.cfg"
awk -v rows=1000 -v top=3000 'BEGIN {
  printf "(0.5000 %d.0000 0.0000),MARK\r\n", top
  printf "(1.0000 %d.0000 0.0000),QTY\r\n", top
  printf "(2.0000 %d.0000 0.0000),DESCRIPTION\r\n", top
  for (i = 3; i < 20000; i++) printf "(%d.0000 %d.0000 0.0000),H%d\r\n", i, top, i
  for (r = 0; r < rows; r++) {
    y = top - 2 * (r + 1)
    printf "(0.5000 %d.0000 0.0000),B%d\r\n", y, r
    printf "(1.0000 %d.0000 0.0000),%d\r\n", y, 1 + r % 9
    printf "(2.0000 %d.0000 0.0000),PL1/2X%d\r\n", y, 2 + r % 20
    for (k = 0; k < 20; k++) printf "(%d.0000 %d.0000 0.0000),R%d\r\n", 19000 + 50 * k, y, k
  }
}' >"$work/wide-config.orb"

status=0
shift $(($# < 2 ? $# : 2))
names=${*:-table-100mb jitter-100mb rows-1m one-row-1m line-50mb wide-config}
printf '%-12s %-7s %8s %9s %8s %8s %8s\n' input output "MB in" "peak MB" "MB out" seconds "CPU s"
for name in $names; do
  cfg=$config
  [ "$name" = wide-config ] && cfg="$work/wide-config.cfg"
  for mode in kel export json; do
    flag=""
    [ "$mode" = export ] && flag=/E
    # The KEL conversion again, with its JSON report thrown away.
    [ "$mode" = json ] && flag=--report=json
    out="$work/$name.$mode"
    # shellcheck disable=SC2086
    if ! /usr/bin/time -v -o "$work/time.txt" \
      "$kelconv" $flag /O "$work/$name.orb" "$out" "$cfg" \
      2>"$work/messages.txt" >/dev/null; then
      echo "$name ($mode): conversion failed:"
      cat "$work/messages.txt"
      status=1
    fi
    awk -v name="$name" -v mode="$mode" \
      -v in_bytes="$(wc -c <"$work/$name.orb")" \
      -v out_bytes="$( (wc -c <"$out") 2>/dev/null || echo 0)" '
      /Maximum resident set size/ { rss = $NF }
      /User time|System time/ { cpu += $NF }
      /Elapsed \(wall clock\)/ {
        n = split($NF, t, ":"); s = 0
        for (i = 1; i <= n; i++) s = s * 60 + t[i]
      }
      END {
        printf "%-12s %-7s %8.1f %9.1f %8.1f %8.2f %8.2f\n", name, mode,
          in_bytes / 1e6, rss / 1024, out_bytes / 1e6, s, cpu
      }' "$work/time.txt"
    [ "$keep" -eq 1 ] || rm -f "$out"
  done
done
[ "$keep" -eq 1 ] || rm -rf "$work"
exit "$status"
