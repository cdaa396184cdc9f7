#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The texts below are printf formats on purpose (escapes for odd bytes).
# shellcheck disable=SC2059

# Writes the seed corpora of the fuzz targets from the examples, the golden
# inputs and a few hand-made inputs. Run from anywhere, with the kelconv
# program as argument (it dumps the configurations as text):
#   sh fuzz/make-seeds.sh build/src/kelconv
# Inputs found while fuzzing live beside the seeds and are not touched here:
# reproducers of fixed findings (finding-*) and inputs kept for the code
# they reach (named by their SHA-1).
set -eu
kelconv=$1
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
golden=$top/tests/data/golden
corpus=$here/corpus
sep='\n@@@\n'

for t in orb_reader cfg_loader text_utils material config_text conversion \
    dxf_reader pdf_reader output_file; do
  mkdir -p "$corpus/$t"
done

# Bill-of-material files, plainly and with a discard list and inversions.
for orb in "$top/examples/sample.orb" "$golden"/*.orb; do
  name=$(basename "$orb" .orb)
  cp "$orb" "$corpus/orb_reader/seed-$name"
  { cat "$orb"; printf "$sep"'BILL OF\n  material \t\r\n\n'"$sep"'\003'; } \
    >"$corpus/orb_reader/seed-$name-discard-inverted"
done
printf '%s\n' \
  '(1e400 -1e400 0),huge' '(nan inf -inf),not a number' \
  '(0x1p4 +5 0),hexadecimal' '  (0 2 3),plane' '(1 0 3),other plane' \
  '(2147483.648 -2147483.648 0),edge' '(1,2,3)' '(1 2 3) no comma' \
  '(5 5 0),' '(5 5 0),second at one place' '(5 5 0),third' \
  'not an entity' '' '(' '(1' '(1 2' '(1 2 3),a,b,c  	' \
  >"$corpus/orb_reader/seed-odd-lines"
printf '(1 1 0),A\000B\r\r\n(2 1 0),\r\n(1 2 0),x\n(3 3 0),last' \
  >"$corpus/orb_reader/seed-nul-and-cr"

# Configuration files: whole, and cut short at a few places.
for cfg in "$top/examples/sample.cfg" "$golden"/*.cfg; do
  name=$(basename "$cfg" .cfg)
  cp "$cfg" "$corpus/cfg_loader/seed-$name"
  "$kelconv" --dump-config "$cfg" >"$corpus/config_text/seed-$name.toml"
done
for cut in 3 40 170 300; do
  head -c "$cut" "$top/examples/sample.cfg" \
    >"$corpus/cfg_loader/seed-sample-cut-$cut"
done
# A count that asks for far more than the file holds.
printf '\237\206\001\000\006\000\377\377\377\177' \
  >"$corpus/cfg_loader/seed-huge-count"
printf 'columns = [ { header = "A", type = "Nothing" } ]\n[materials]\ndefault_grades = ["1"]\n[reserved]\ndouble_1 = "0x7ff8000000000001"\nnumber = 99999999999\n' \
  >"$corpus/config_text/seed-errors.toml"
printf '[indicators]\ndiameter = "\\u00ff\\u0001\\t"\nleft = """\nmulti\nline"""\n[switches]\nfraction_ignore_case = 7\n' \
  >"$corpus/config_text/seed-escapes.toml"

# Texts: flags, pass count, then text, search, replacement, gage, fractions.
seed_text() {
  printf "$2" >"$corpus/text_utils/seed-$1"
}
seed_text inches '\000\144'"6 1/2\000 \000  \000GA"
seed_text feet-fractions '\002\012'"20'-6l\000l\000 1/2 \000GA\000a\000d\000f\000g\000h\000j\000k\000l"
seed_text gage '\001\036'"10GA\000ga\000GAGA\000GA"
seed_text growing '\001\377'"aaaa\000a\000aa"
seed_text fractions-overlap '\000\001'"3/16 X 1/2\000/\000//\000\000/\000//\0001/16"

# Materials: one item each under the sample configuration.
for item in 'W12X26\0\0\0002\0001068' 'PLjX6\0\0\0\0\0001' 'L4X3X3/8' \
  'C10X15.3' 'HSS4X4X1/4' 'TS4X4X1/4' 'PIPE 1 1/2 SCH 80' 'PIPE 4 STD' \
  'W/NUT 3/4 X 2 A325\0FIELD\0\00024\00048' 'W/NUT 7/8 A490 HEXNUT' \
  'ROD %%C3/4' 'RB #5' 'MISC ANCHOR %%C3/4 X 12 LG\0\0\0006\00075' \
  'MM GRATING PANEL 3'"'"'-0 X 5'"'"'-0' 'PL10GAX12' 'BENTPLjX8\0\0\0\0\0001' \
  'PL3/4X12\0A36\0A36'; do
  format=$(printf '%s' "$item" | sed 's/%/%%/g')
  name=$(printf "$format" | tr -c 'A-Za-z0-9' '-' | cut -c1-24)
  { printf "$format"; printf "$sep"; cat "$top/examples/sample.cfg"; } \
    >"$corpus/material/seed-$name"
done
printf 'WT6X13\0FIELD WELD' >"$corpus/material/seed-defaults"

# Whole conversions: each golden input with its configuration, the export
# header options, a discard list and job fields.
convert_seed() {
  { cat "$2"; printf "$sep"; cat "$3"; printf "$sep$4$sep$5"; } \
    >"$corpus/conversion/seed-$1"
}
convert_seed sample "$top/examples/sample.orb" "$top/examples/sample.cfg" \
  '' '\000J1\000Job\000Customer'
convert_seed sample-discard "$top/examples/sample.orb" \
  "$top/examples/sample.cfg" 'FIELD\nl' '\001'
for name in bottomup feetinches handed; do
  convert_seed "$name" "$golden/$name.orb" "$golden/$name.cfg" '' '\000'
done
convert_seed exportA "$golden/exportA.orb" "$golden/export.cfg" '' '\001'
# Converted once more with every step recorded (option bit 3).
convert_seed sample-recorded "$top/examples/sample.orb" \
  "$top/examples/sample.cfg" '' '\012'
convert_seed bottomup-recorded "$golden/bottomup.orb" "$golden/bottomup.cfg" \
  '' '\010'
convert_seed exportB "$golden/exportB.orb" "$golden/export.cfg" '' '\006'

# DXF and PDF drawings: the examples, the golden drawings, a cut copy of
# each, and a few hand-made DXF files (a block that inserts itself, MTEXT
# codes, an array reference, UTF-8 text).
drawings=$top/tests/data/drawings
for file in "$top/examples/sample.dxf" "$drawings"/*.dxf; do
  name=$(basename "$file" .dxf)
  cp "$file" "$corpus/dxf_reader/seed-$name"
  head -c 3000 "$file" >"$corpus/dxf_reader/seed-$name-cut"
done
dxf() { printf '0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1027\n0\nENDSEC\n%b0\nEOF\n' "$2" \
  >"$corpus/dxf_reader/seed-$1"; }
dxf self-insert '0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n10\n1\n20\n1\n0\nINSERT\n2\nB\n41\n2\n0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nB\n0\nENDSEC\n'
dxf mtext '0\nSECTION\n2\nENTITIES\n0\nMTEXT\n10\n1\n20\n2\n40\n2.5\n71\n5\n3\n{\\fArial|b0;W12\\P\n1\nX26 \\S1/2; \\U+00D8 %%c}\n0\nENDSEC\n'
dxf array '0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n0\nTEXT\n10\n0\n20\n0\n1\nX\n0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nA\n70\n3\n71\n2\n44\n5\n45\n5\n50\n30\n0\nATTRIB\n10\n1\n20\n1\n1\n\0303\0251\n70\n1\n0\nSEQEND\n0\nENDSEC\n'
for file in "$top/examples/sample.pdf" "$drawings"/*.pdf "$top/tests/data/hostile/encrypted.pdf"; do
  name=$(basename "$file" .pdf)
  cp "$file" "$corpus/pdf_reader/seed-$name"
  head -c 4000 "$file" >"$corpus/pdf_reader/seed-$name-cut"
done

# Output files: old contents, lines, then the mode (bit 0 append, bit 1 a
# failing fsync) and the bytes the disk takes (little-endian; all without).
output_seed() {
  { printf "$2$sep"; cat "$3"; printf "$sep$4"; } >"$corpus/output_file/seed-$1"
}
output_seed replace 'old\r\n' "$golden/sample.kel" '\000'
output_seed replace-full 'old\r\n' "$golden/sample.kel" '\000\100\001\000\000'
output_seed append 'old\r\n' "$golden/sample.kel" '\001'
output_seed append-full 'old' "$golden/sample.kel" '\001\007\000\000\000'
output_seed append-sync '' "$golden/sample.kel" '\003'
output_seed replace-sync 'old' "$golden/sample.kel" '\002'
awk 'BEGIN { for (i = 0; i < 2000; i++) printf "line %d of a long output\r\n", i }' \
  >"$corpus/output_file/long.tmp"
output_seed long-cut 'old\r\n' "$corpus/output_file/long.tmp" '\000\000\000\001\000'
rm "$corpus/output_file/long.tmp"
