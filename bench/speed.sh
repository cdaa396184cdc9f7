#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the program side by side with plain tools on the same files, in one
# hyperfine run each (sh scripts/setup-debian bench installs hyperfine and
# GNU time):
#   start-up    one batch conversion of examples/sample.orb against
#               `cat examples/sample.orb`
#   clean-1m    a clean table of a million texts (125,000 rows of eight
#               columns, 21 MB) against `LC_ALL=C sort` ordering the same
#               file by height and position
#   jitter      tables whose texts lie off their row's line, 10,000 and
#               100,000 rows: the time per text should stay about the same
#   memory      the peak memory (maximum resident set) of the 100 MB table
#               of bench/large-inputs.sh, against its size
#
#   sh bench/speed.sh build/src/kelconv [WORKDIR]
#
# Use a Release build. A benchmark, not a test: it prints figures and fails
# only when a conversion fails.
set -eu
kelconv=$1
here=$(cd "$(dirname "$0")/.." && pwd)
config=$here/examples/sample.cfg
if [ $# -ge 2 ]; then
  work=$2
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
cd "$work"

# examples/sample.cfg with an eighth column, COST, before WEIGHT; its headers
# as examples/sample.orb places them (x in drawing units), at height `top`.
"$kelconv" --dump-config "$config" |
  sed 's/^  { header = "WEIGHT"/  { header = "COST", type = "Price", fractions = false },\n&/' \
    >eight.toml
"$kelconv" --make-config /O eight.toml eight.cfg
header='
  printf "(30.0000 %.4f 0.0000),BILL OF MATERIAL\r\n", top + 8
  n = split("1.5 MARK|9 QTY|14 DESCRIPTION|40 LENGTH|50 GRADE|58 REMARKS|66 COST|74 WEIGHT", h, "|")
  for (i = 1; i <= n; i++) {
    split(h[i], f, " ")
    printf "(%.4f %.4f 0.0000),%s\r\n", f[1], top, f[2]
  }'
# ROWS rows of eight texts, two units apart; JITTER (0 or 1) moves the
# texts of a row up to 0.05 units off its line.
table() {
  awk -v rows="$1" -v top=$(($1 * 2 + 100)) -v jitter="$2" 'BEGIN {'"$header"'
    m = split("W12X26|PL1/2X6|L4X3X3/8|C10X15.3|HSS4X4X1/4|PIPE 4 STD|WT6X13|TS4X4X1/4", mat, "|")
    for (r = 0; r < rows; r++) {
      y = top - 2 * (r + 1)
      d = jitter * (r % 5) * 0.01
      printf "(1.6000 %.4f 0.0000),P%d\r\n", y + d, r
      printf "(9.0000 %.4f 0.0000),%d\r\n", y - d, 1 + r % 8
      printf "(14.1000 %.4f 0.0000),%s\r\n", y + d, mat[1 + r % m]
      printf "(40.0000 %.4f 0.0000),%d'"'"'-%d\r\n", y, 1 + r % 30, r % 12
      printf "(50.0000 %.4f 0.0000),A%d\r\n", y - d, 36 + r % 3
      printf "(58.0000 %.4f 0.0000),GALV\r\n", y
      printf "(66.0000 %.4f 0.0000),%d.%02d\r\n", y + d, r % 90, r % 100
      printf "(74.0000 %.4f 0.0000),%d\r\n", y, 10 + r % 500
    }
  }'
}

echo "== start-up: one batch conversion of examples/sample.orb"
hyperfine -N --warmup 20 --min-runs 200 \
  "cat $here/examples/sample.orb" \
  "$kelconv /O $here/examples/sample.orb $work/sample.kel $config"

echo "== clean-1m: a million texts, converted and sorted"
table 125000 0 >clean-1m.orb
hyperfine --warmup 1 --min-runs 5 \
  "LC_ALL=C sort -t' ' -k2,2gr -k1.2,1g clean-1m.orb >/dev/null" \
  "$kelconv /O clean-1m.orb clean-1m.kel eight.cfg"

echo "== jitter: 10,000 and 100,000 rows off their line"
table 10000 1 >jitter-10k.orb
table 100000 1 >jitter-100k.orb
hyperfine --warmup 1 --min-runs 5 \
  "$kelconv /O jitter-10k.orb jitter-10k.kel eight.cfg" \
  "$kelconv /O jitter-100k.orb jitter-100k.kel eight.cfg"

echo "== memory: the 100 MB table of bench/large-inputs.sh"
sh "$here/bench/large-inputs.sh" "$kelconv" "$work/large" table-100mb
