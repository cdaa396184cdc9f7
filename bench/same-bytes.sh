#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares the outputs of two builds of the program byte for byte: the KEL
# and export files of the example and test drawings (each with its
# configuration) and of the large inputs of bench/large-inputs.sh. A change
# made for speed must not change a single output byte.
#
#   sh bench/same-bytes.sh BEFORE/kelconv AFTER/kelconv [WORKDIR]
#
# Prints one line per output compared and a closing count; fails when any
# pair differs or a conversion fails in one build and not in the other.
# WORKDIR (a new temporary directory by default, then removed) holds about
# 1.5 GB of inputs and outputs while it runs.
set -eu
before=$1
after=$2
here=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ge 3 ]; then
  work=$3
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi

same=0
differ=0
compare() {  # NAME FILE-BEFORE FILE-AFTER
  if cmp -s "$2" "$3"; then
    same=$((same + 1))
    printf 'same     %s (%s bytes)\n' "$1" "$(wc -c <"$2")"
  else
    differ=$((differ + 1))
    printf 'DIFFERS  %s\n' "$1"
    cmp "$2" "$3" || true
  fi
}

# The drawings with their configurations: a golden table's own (that of
# "export" for exportA and exportB), else the example's.
golden=$here/tests/data/golden
config_of() {
  table=$(basename "$1" | sed 's/\..*//; s/-.*//; s/^export[AB]$/export/')
  if [ -f "$golden/$table.cfg" ]; then echo "$golden/$table.cfg"
  else echo "$here/examples/sample.cfg"; fi
}
mkdir -p "$work/before" "$work/after" "$work/out"
for input in "$golden"/*.orb "$here"/examples/sample.orb "$here"/examples/sample.dxf \
  "$here"/examples/sample.pdf "$here"/tests/data/drawings/*.dxf \
  "$here"/tests/data/drawings/*.pdf; do
  for flag in "" /E; do
    name=$(basename "$input")${flag:+.export}
    for build in before after; do
      exe=$before
      [ "$build" = after ] && exe=$after
      # One output path for both, as the messages name it.
      # shellcheck disable=SC2086
      "$exe" $flag /O "$input" "$work/out/$name" "$(config_of "$input")" \
        >/dev/null 2>"$work/$build/$name.err" || echo "exit $?" >>"$work/$build/$name.err"
      mv "$work/out/$name" "$work/$build/$name" 2>/dev/null || : >"$work/$build/$name"
    done
    compare "$name" "$work/before/$name" "$work/after/$name"
    compare "$name (messages)" "$work/before/$name.err" "$work/after/$name.err"
  done
done

# The large inputs, converted by each build in a folder of its own.
sh "$here/bench/large-inputs.sh" "$before" "$work/large-before" >/dev/null
sh "$here/bench/large-inputs.sh" "$after" "$work/large-after"
for output in "$work"/large-after/*.kel "$work"/large-after/*.export; do
  name=$(basename "$output")
  compare "$name" "$work/large-before/$name" "$output"
  rm -f "$work/large-before/$name" "$output"
done
echo "$same outputs the same, $differ different"
[ "$differ" -eq 0 ]
