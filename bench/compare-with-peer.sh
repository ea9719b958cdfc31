#!/usr/bin/env bash
# Quandor side by side with the peer library from Debian's packages
# (ktoblzcheck), which is only linked and run here. Not part of CI.
#
# Usage: bench/compare-with-peer.sh [REPETITIONS]     (default 5)
# Needs: sudo apt-get install ktoblzcheck libktoblzcheck1-dev, python3, and
# the project's build tools; hyperfine if installed, else bash's time.
#
# Builds a release build into build/peer and prints, each next to its target:
#   1. ns per check in the library (peer_bench: the same 100,000 checks for all)
#   2. the command-line tools on 1,000,000 lines from data/blz.txt, best of 3
#   3. the text search over the whole bank code file (bank_bench)
# The machine is shared and has 2 cores: figures vary by some 25 % between runs.
set -euo pipefail
cd "$(dirname "$0")/.."
reps=${1:-5}
build=build/peer
lines=1000000

for pkg in ktoblzcheck libktoblzcheck1-dev; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed'; then
    echo "The peer library is not installed. Install it with:" >&2
    echo "  sudo apt-get install ktoblzcheck libktoblzcheck1-dev" >&2
    exit 2
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "Building $build (release, with the peer benchmark) ..."
if ! { cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUANDOR_WERROR=ON \
  -DQUANDOR_BUILD_BENCH=ON -DQUANDOR_BENCH_PEER=ON -DQUANDOR_BUILD_TESTS=OFF \
  -DQUANDOR_BUILD_GUI=OFF -DQUANDOR_BUILD_PYTHON=OFF &&
  cmake --build "$build" -j2 --target peer_bench bank_bench quandor-check; } >"$work/build.log" 2>&1; then
  cat "$work/build.log" >&2
  exit 1
fi

# median FILE NAME FIELD: FIELD of the median over the repetitions of benchmark NAME.
median() {
  python3 - "$@" <<'EOF'
import json, sys
path, name, field = sys.argv[1:]
for run in json.load(open(path))["benchmarks"]:
    if run["run_name"] == name and run.get("aggregate_name") == "median":
        print(run[field])
EOF
}
calc() { awk "BEGIN { printf \"%.2f\", $1 }"; }
# row LABEL VALUE UNIT [TARGET_TEXT VALUE OP LIMIT]
row() {
  local verdict=""
  if (($# > 3)); then
    verdict=$(awk -v v="$5" -v l="$7" "BEGIN { print (v $6 l) ? \"met\" : \"MISSED\" }")
    verdict="target $4: $verdict"
  fi
  printf '  %-44s %9s %-3s  %s\n' "$1" "$2" "$3" "$verdict"
}

echo
echo "1. The library: ns per check, median of $reps runs over the same 100,000 checks (CPU time)"
"$build/bin/peer_bench" --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$work/peer.json"
ns() { calc "1e9 / $(median "$work/peer.json" "$1" items_per_second)"; }
peer=$(ns BM_Peer)
pinned=$(ns BM_QuandorPinned)
data_dir=$(ns BM_QuandorDataDir)
settings=$(ns BM_QuandorSettingsFile)
row "peer: AccountNumberCheck::check" "$peer" ns
row "Quandor pinned (BankFilePin)" "$pinned" ns "<= 80 ns" "$pinned" "<=" 80
row "Quandor exact, QUANDOR_DATA_DIR set" "$data_dir" ns
row "Quandor exact, settings file" "$settings" ns
row "peer / pinned (times pinned is faster)" "$(calc "$peer / $pinned")" x ">= 3" \
  "$(calc "$peer / $pinned")" ">=" 3
row "exact (QUANDOR_DATA_DIR) / peer" "$(calc "$data_dir / $peer")" x "<= 1.3" \
  "$(calc "$data_dir / $peer")" "<=" 1.3
row "exact (settings file) / peer" "$(calc "$settings / $peer")" x "<= 1.3" \
  "$(calc "$settings / $peer")" "<=" 1.3

echo
echo "2. The command-line tools: $lines lines, best of 3 (wall seconds)"
# Bank codes drawn from the records of data/blz.txt, random 10-digit accounts, fixed seed.
awk -F';' -v n="$lines" 'BEGIN { srand(42) }
  { code[NR] = $1 }
  END { for (i = 0; i < n; i++) {
          account = ""
          for (d = 0; d < 10; d++) account = account int(rand() * 10)
          printf "%s;%s\n", code[1 + int(rand() * NR)], account } }' data/blz.txt >"$work/plain.txt"
tr ';' ' ' <"$work/plain.txt" >"$work/peer.txt"
{ echo 'blz;account'; cat "$work/plain.txt"; } >"$work/rows.csv"

# best_of_3 COMMAND: the best wall time in seconds of three runs of a shell command.
best_of_3() {
  if command -v hyperfine >/dev/null; then
    hyperfine --runs 3 --warmup 1 --ignore-failure --style none \
      --export-json "$work/runs.json" "$1" >/dev/null
    python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["results"][0]["min"])' \
      "$work/runs.json"
  else
    local best="" t
    for _ in 1 2 3; do
      t=$({ TIMEFORMAT=%R; time bash -c "$1" >/dev/null 2>&1; } 2>&1)
      best=$(awk -v a="$t" -v b="${best:-$t}" 'BEGIN { print (a < b ? a : b) }')
    done
    echo "$best"
  fi
}
# A run that answered fewer rows than it was given would only look fast.
require_rows() {
  local got
  got=$(wc -l <"$1")
  ((got >= lines)) || { echo "$2 wrote $got lines instead of $lines" >&2; exit 1; }
}

bin=$build/bin/quandor-check
peer_cli=$(best_of_3 "ktoblzcheck --infile=$work/peer.txt --outfile=$work/peer.out 0 0 2>/dev/null")
require_rows "$work/peer.out" ktoblzcheck
plain=$(best_of_3 "$bin validate <$work/plain.txt >$work/plain.out")
require_rows "$work/plain.out" "quandor-check validate"
csv=$(best_of_3 "$bin validate --input $work/rows.csv --output $work/rows.out")
require_rows "$work/rows.out" "quandor-check validate --input"
row "ktoblzcheck --infile" "$(calc "$peer_cli")" s
row "quandor-check validate (BLZ;ACCOUNT, stdin)" "$(calc "$plain")" s
row "quandor-check validate --input (CSV)" "$(calc "$csv")" s
row "peer / quandor-check (plain)" "$(calc "$peer_cli / $plain")" x ">= 1.5" \
  "$(calc "$peer_cli / $plain")" ">=" 1.5
row "CSV / plain" "$(calc "$csv / $plain")" x "<= 1.2" "$(calc "$csv / $plain")" "<=" 1.2

echo
echo "3. Text search \"bank\" over the whole file (SearchBankByText), median of $reps runs"
"$build/bin/bank_bench" --benchmark_filter='BM_SearchBankByText/whole_line_bank$' \
  --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$work/search.json"
name=BM_SearchBankByText/whole_line_bank
search=$(calc "$(median "$work/search.json" "$name" cpu_time) / 1000")
found=$(median "$work/search.json" "$name" found)
row "${found%.*} banks found" "$search" ms \
  "<= 0.3 ms" "$search" "<=" 0.3
