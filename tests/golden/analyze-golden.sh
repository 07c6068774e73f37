#!/usr/bin/env bash
# The byte-identical check of `tarnwick-cli analyze --json`: every sample, the
# CSV layouts the importer reads, and histories cut short or bent at the
# edges the indicators' windows meet, each run through the real program.
# Every output is compared with its recorded SHA-256 in analyze-json.sha256
# (the outputs run to half a megabyte each, too much to keep).
#
# usage: analyze-golden.sh check CLI [OUTPUT_DIR]
#        analyze-golden.sh write CLI      (only through scripts/regenerate-golden.sh)
# Each output is kept in OUTPUT_DIR (default: analyze-golden-output in the
# current folder), so a changed one can be compared with an older program's.
set -euo pipefail

mode=${1:-}
cli=${2:-}
if [ "$mode" != check ] && [ "$mode" != write ] || [ -z "$cli" ]; then
  echo "usage: $0 check|write CLI [OUTPUT_DIR]" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
sums="$here/analyze-json.sha256"
samples="$root/data/sample"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=${3:-$PWD/analyze-golden-output}
mkdir -p "$out"

# A quote folder holding IBM's quote line and the header plus the first N rows
# of its history: every window of every indicator starts, fits or just misses.
cut_history() {
  local rows=$1 folder="$work/ibm-$1-rows"
  mkdir -p "$folder"
  cp "$samples/IBM/quotes.csv" "$folder/"
  head -n "$((rows + 1))" "$samples/IBM/table.csv" >"$folder/table.csv"
  echo "$folder"
}

# IBM with gaps: every 13th close 0 (left out of the averages), every 7th
# volume 0, and a flat stretch where ranges and differences are 0.
bent_history() {
  local folder="$work/ibm-bent"
  mkdir -p "$folder"
  cp "$samples/IBM/quotes.csv" "$folder/"
  awk -F, -v OFS=, 'NR == 1 { print; next }
    { row = NR - 1
      if (row % 13 == 0) $5 = "0"
      if (row % 7 == 0) $6 = "0"
      if (row >= 120 && row < 150) { $2 = "100.00"; $3 = "100.00"; $4 = "100.00"; $5 = "100.00" }
      print }' "$samples/IBM/table.csv" >"$folder/table.csv"
  echo "$folder"
}

# CAT as a semicolon file with decimal commas and day-first dates.
semicolon_history() {
  local file="$work/cat-semicolon.csv"
  awk -F, 'BEGIN { split("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec", names, " ")
                   for (m = 1; m <= 12; m++) month[names[m]] = m
                   print "Datum;Eröffnung;Hoch;Tief;Schluss;Volumen" }
    NR > 1 { split($1, d, "-")
             line = sprintf("%02d.%02d.%04d", d[1], month[d[2]], 2000 + d[3])
             for (i = 2; i <= NF; i++) { f = $i; gsub(/\./, ",", f); line = line ";" f }
             print line }' "$samples/CAT/table.csv" >"$file"
  echo "$file"
}

# Each case: a name, then the arguments of `analyze` before --json.
cases=()
add_case() { cases+=("$*"); }
for symbol in IBM CAT BA ORCL AAPL; do
  add_case "sample-$symbol --quote-dir $samples --symbol $symbol"
done
add_case "sample-AAPL.csv --file $samples/AAPL.csv"
for seed in "$root"/fuzz/csv-seeds/*.csv; do
  add_case "csv-$(basename "$seed" .csv) --file $seed"
done
add_case "csv-cat-semicolon --file $(semicolon_history) --symbol CAT"
for rows in 0 1 3 4 8 9 11 13 16 17 19 22 29 32 34 40 49 58 59 60 61 66 199 200 209 398; do
  add_case "ibm-$rows-rows --quote-dir $(cut_history "$rows") --symbol IBM"
done
add_case "ibm-bent --quote-dir $(bent_history) --symbol IBM"
for fixture in "$here"/fixtures/*/; do
  add_case "fixture-$(basename "$fixture") --quote-dir $fixture --symbol $(basename "$fixture")"
done

# The output of a case: what analyze printed, then its exit status.
run_case() {
  local name=$1
  shift
  { "$cli" analyze "$@" --json 2>/dev/null && echo "exit 0" || echo "exit $?"; } >"$out/$name.json"
}

if [ "$mode" = write ]; then
  : >"$sums.new"
  for entry in "${cases[@]}"; do
    read -r name args <<<"$entry"
    # shellcheck disable=SC2086  # the arguments hold no blanks
    run_case "$name" $args
    (cd "$out" && sha256sum "$name.json") >>"$sums.new"
  done
  mv "$sums.new" "$sums"
  echo "Wrote $(wc -l <"$sums") sums to $sums"
  exit 0
fi

failed=0
for entry in "${cases[@]}"; do
  read -r name args <<<"$entry"
  # shellcheck disable=SC2086
  run_case "$name" $args
  expected=$(awk -v file="$name.json" '$2 == file { print $1 }' "$sums")
  actual=$(sha256sum "$out/$name.json" | cut -d' ' -f1)
  if [ -z "$expected" ]; then
    echo "FAILED: case $name has no recorded output in $sums"
    failed=$((failed + 1))
  elif [ "$expected" != "$actual" ]; then
    echo "FAILED: case $name: \`tarnwick-cli analyze $args --json\` is no longer byte-identical" \
         "(its output is in $out/$name.json)"
    failed=$((failed + 1))
  fi
done
recorded=$(wc -l <"$sums")
if [ "$recorded" -ne "${#cases[@]}" ]; then
  echo "FAILED: $recorded outputs recorded, ${#cases[@]} cases run"
  failed=$((failed + 1))
fi
[ "$failed" -eq 0 ] || { echo "$failed of ${#cases[@]} cases differ"; exit 1; }
echo "All ${#cases[@]} cases byte-identical"
