#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and runs every test: short fuzzing
# runs of the local quote reader, the web page readers, the CSV history reader,
# the market pages' fragment cutter and the analysis JSON, one quick pass of
# the benchmarks, the unit tests, and the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
fuzz_seconds=${TARNWICK_FUZZ_SECONDS:-60}

echo "== Fuzzing the local quote reader for ${fuzz_seconds}s"
CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_FUZZ=ON \
  -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
for sample in data/sample/*/; do
  # The harness reads the quote file up to the first NUL and the history after it.
  { cat "$sample/quotes.csv"; printf '\0'; cat "$sample/table.csv"; } >"$corpus/$(basename "$sample")"
done
# Seeds past the read limits (44096 and 84096 bytes), so the fuzzing starts at
# those bounds: a long quote line, a long history, and a junk line longer than
# the history limit in front of the header.
ibm=data/sample/IBM
{ head -c 50000 /dev/zero | tr '\0' 'q'; printf '\0'; cat "$ibm/table.csv"; } >"$corpus/long-quote"
{ cat "$ibm/quotes.csv"; printf '\0'; head -n 1 "$ibm/table.csv"; for _ in 1 2 3 4 5; do tail -n +2 "$ibm/table.csv"; done; } \
  >"$corpus/long-history"
{ cat "$ibm/quotes.csv"; printf '\0Prices\n'; head -c 90000 /dev/zero | tr '\0' '#'; printf '\n'; cat "$ibm/table.csv"; } \
  >"$corpus/long-line"
build-fuzz/fuzz/local_quote_reader_fuzz -max_total_time="$fuzz_seconds" -max_len=140000 "$corpus" 2>&1 | tail -n 2
for harness in yahooquotesource_fuzz historytablequotesource_fuzz; do
  echo "== Fuzzing the web page readers ($harness) for ${fuzz_seconds}s"
  build-fuzz/fuzz/$harness -max_total_time="$fuzz_seconds" -dict=fuzz/web_pages.dict -max_len=20000 2>&1 | tail -n 1
done
echo "== Fuzzing the CSV history reader for ${fuzz_seconds}s"
# The fuzzer adds what it finds to its corpus folder: a copy, not the seeds.
cp -r fuzz/csv-seeds "$corpus/csv"
# A history of 4,000 days: longer than the store's 150,000-byte text buffer and
# than the 400 bars kept.
awk 'BEGIN { print "Date,Open,High,Low,Close,Volume"
             for (n = 0; n < 4000; n++)
               printf "%04d-%02d-%02d,10.5,11.25,9.75,10.25,123456\n", 1990 + int(n / 336), 1 + int(n / 28) % 12, 1 + n % 28 }' \
  >"$corpus/csv/long.csv"
build-fuzz/fuzz/csv_history_reader_fuzz -max_total_time="$fuzz_seconds" -max_len=170000 "$corpus/csv" 2>&1 \
  | tail -n 1
echo "== Fuzzing the market pages' fragment cutter and rewriter for ${fuzz_seconds}s"
build-fuzz/fuzz/page_fragment_fuzz -max_total_time="$fuzz_seconds" -dict=fuzz/page_markers.dict -max_len=20000 \
  2>&1 | tail -n 1
echo "== Fuzzing the analysis and its JSON output for ${fuzz_seconds}s"
# Starts from the local quote reader's corpus, which holds the samples and what it found.
mkdir "$corpus/json"
find "$corpus" -maxdepth 1 -type f -exec cp {} "$corpus/json/" \;
build-fuzz/fuzz/analysis_json_fuzz -max_total_time="$fuzz_seconds" -max_len=20000 "$corpus/json" 2>&1 | tail -n 1

echo "== Unit tests"
scripts/build.sh build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_WERROR=$werror
echo "== Benchmarks, one quick pass"
# The 10,000-symbol screener scan is left to a full benchmark run.
build-test/bench/tarnwick_bench --benchmark_min_time=0.01 >/dev/null
build-test/bench/tarnwick_core_bench --benchmark_min_time=0.01 --benchmark_filter=-ScreenGeneratedLibrary/10000 >/dev/null
bench/startup.sh build-test 1
ctest --test-dir build-test --output-on-failure --parallel 2

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_WERROR=$werror -DTARNWICK_SANITIZE=ON \
  -DTARNWICK_BENCH=OFF
ctest --test-dir build-asan --output-on-failure --parallel 2
