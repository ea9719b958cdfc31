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
# row LABEL VALUE UNIT [OP LIMIT]: a figure, and whether VALUE OP LIMIT holds.
row() {
  local verdict=""
  if (($# > 3)); then
    verdict=$(awk -v v="$2" -v l="$5" "BEGIN { print (v $4 l) ? \"met\" : \"MISSED\" }")
    verdict="target $4 $5: $verdict"
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
row "Quandor pinned (BankFilePin)" "$pinned" ns "<=" 80
row "Quandor exact, QUANDOR_DATA_DIR set" "$data_dir" ns
row "Quandor exact, settings file" "$settings" ns
row "peer / pinned (times pinned is faster)" "$(calc "$peer / $pinned")" x ">=" 3
row "exact (QUANDOR_DATA_DIR) / peer" "$(calc "$data_dir / $peer")" x "<=" 1.3
row "exact (settings file) / peer" "$(calc "$settings / $peer")" x "<=" 1.3

echo
echo "2. The command-line tools: $lines lines, best of 3"
# Bank codes drawn from the records of data/blz.txt, random 10-digit accounts, fixed seed.
awk -F';' -v n="$lines" 'BEGIN { srand(42) }
  { code[NR] = $1 }
  END { for (i = 0; i < n; i++) {
          account = ""
          for (d = 0; d < 10; d++) account = account int(rand() * 10)
          printf "%s;%s\n", code[1 + int(rand() * NR)], account } }' data/blz.txt >"$work/plain.txt"
tr ';' ' ' <"$work/plain.txt" >"$work/peer.txt"
{ echo 'blz;account'; cat "$work/plain.txt"; } >"$work/rows.csv"

# best_of_3 COMMAND: "WALL CPU", the best wall time of three runs of a shell
# command and the CPU time (user + system) it took, in seconds. Other work on
# the machine stretches the wall time, the CPU time much less.
best_of_3() {
  if command -v hyperfine >/dev/null; then
    hyperfine --runs 3 --warmup 1 --ignore-failure --style none \
      --export-json "$work/runs.json" "$1" >/dev/null 2>&1
    python3 -c 'import json, sys; r = json.load(open(sys.argv[1]))["results"][0]
print(r["min"], r["user"] + r["system"])' "$work/runs.json"
  else
    local best="1e9 0" run
    for _ in 1 2 3; do
      run=$({ TIMEFORMAT='%R %U %S'; time bash -c "$1" >/dev/null 2>&1; } 2>&1)
      best=$(awk -v run="$run" -v best="$best" 'BEGIN { split(run, r, " "); split(best, b, " ")
        print (r[1] < b[1] ? r[1] " " r[2] + r[3] : best) }')
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
read -r peer_wall peer_cpu < <(best_of_3 \
  "ktoblzcheck --infile=$work/peer.txt --outfile=$work/peer.out 0 0 2>/dev/null")
require_rows "$work/peer.out" ktoblzcheck
read -r plain_wall plain_cpu < <(best_of_3 "$bin validate <$work/plain.txt >$work/plain.out")
require_rows "$work/plain.out" "quandor-check validate"
read -r csv_wall csv_cpu < <(best_of_3 "$bin validate --input $work/rows.csv --output $work/rows.out")
require_rows "$work/rows.out" "quandor-check validate --input"
printf '  %-44s %9s %9s\n' "" "wall (s)" "CPU (s)"
printf '  %-44s %9.2f %9.2f\n' "ktoblzcheck --infile" "$peer_wall" "$peer_cpu" \
  "quandor-check validate (BLZ;ACCOUNT, stdin)" "$plain_wall" "$plain_cpu" \
  "quandor-check validate --input (CSV)" "$csv_wall" "$csv_cpu"
# tool_ratios CLOCK PEER PLAIN CSV
tool_ratios() {
  row "peer / quandor-check (plain), $1" "$(calc "$2 / $3")" x ">=" 1.5
  row "CSV / plain, $1" "$(calc "$4 / $3")" x "<=" 1.2
}
tool_ratios wall "$peer_wall" "$plain_wall" "$csv_wall"
tool_ratios CPU "$peer_cpu" "$plain_cpu" "$csv_cpu"

echo
echo "3. Text search \"bank\" over the whole file (SearchBankByText), median of $reps runs"
"$build/bin/bank_bench" --benchmark_filter='BM_SearchBankByText/whole_line_bank$' \
  --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$work/search.json"
name=BM_SearchBankByText/whole_line_bank
search=$(calc "$(median "$work/search.json" "$name" cpu_time) / 1000")
found=$(median "$work/search.json" "$name" found)
row "${found%.*} banks found" "$search" ms "<=" 0.3
