#!/usr/bin/env bash
# One talver-cli export of many typical declarations (one employer, standard and social
# deductions): the time for 500, 1 000 and 2 000 files, to show it under 2 s for 1 000 and
# growing in proportion to the number of files.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TALVER_BUILD_DIR:-build-bench}
cli="$build/bin/talver-cli"
[ -x "$cli" ] || { echo "no $cli: build first (scripts/bench)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" build examples/resident-wages.json -o "$work/typical.tv6"
mkdir -p "$work/in"
for i in $(seq 1 2000); do cp "$work/typical.tv6" "$work/in/$i.tv6"; done
for n in 500 1000 2000; do
  rm -rf "$work/out" && mkdir "$work/out"
  files=$(seq 1 "$n" | sed "s|.*|$work/in/&.tv6|")
  start=$(date +%s.%N)
  # shellcheck disable=SC2086
  "$cli" export $files -o "$work/out" >/dev/null
  end=$(date +%s.%N)
  written=$(ls "$work/out" | wc -l)
  awk -v n="$n" -v s="$start" -v e="$end" -v w="$written" 'BEGIN { printf "%5d declarations: %.3f s (%d files written)\n", n, e - s, w }'
done
