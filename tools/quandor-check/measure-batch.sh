#!/usr/bin/env bash
# Measures quandor-check validate on a large batch: the plain BLZ;ACCOUNT
# lines from stdin, and the same rows as a CSV file with header and output
# file. Prints wall time, rows per second and peak memory (/usr/bin/time -v).
#
# Usage: tools/quandor-check/measure-batch.sh [BUILD_DIR] [ROWS]
#        (defaults: build/release, 1000000; build with the release preset first)
# The input: bank codes drawn from data/blz.txt, random accounts of 1 to 10
# digits, fixed seed, so that runs compare.
set -euo pipefail
source "$(dirname "$0")/measure-setup.sh"

awk -F';' -v n="$rows" 'BEGIN { srand(42) }
  { code[NR] = $1 }
  END { for (i = 0; i < n; i++) {
          digits = 1 + int(rand() * 10); account = ""
          for (d = 0; d < digits; d++) account = account int(rand() * 10)
          printf "%s;%s\n", code[1 + int(rand() * NR)], account } }' data/blz.txt >"$work/plain.txt"
{ echo 'Kunde;BLZ;Konto'; awk -F';' '{ printf "\"Kunde %d; Filiale\";%s;%s\n", NR, $1, $2 }' "$work/plain.txt"; } >"$work/rows.csv"

measure() {
  local label=$1; shift
  # Exit status 3 (rows of banks without a check method) is a finished run too.
  local status=0
  /usr/bin/time -v "$@" 2>"$work/time" >/dev/null || status=$?
  if [ "$status" -ne 0 ] && [ "$status" -ne 3 ]; then cat "$work/time" >&2; exit 1; fi
  local wall rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$work/time")
  rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
  awk -v l="$label" -v w="$wall" -v r="$rss" -v n="$rows" \
    'BEGIN { printf "%-34s %8d rows  %6.2f s  %9.0f rows/s  peak RSS %6.1f MiB\n", l, n, w, (w > 0 ? n / w : 0), r / 1024 }'
}

measure "validate (plain lines, stdin)" sh -c "'$bin' validate <'$work/plain.txt' >'$work/plain.out'"
measure "validate (plain lines, --output)" sh -c "'$bin' validate --output '$work/plain2.out' --no-progress <'$work/plain.txt'"
measure "validate (CSV file, --output)" "$bin" validate --input "$work/rows.csv" --output "$work/rows.out" \
  --blz-column BLZ --account-column Konto --no-progress
echo "input: $(du -h "$work/plain.txt" | cut -f1) plain, $(du -h "$work/rows.csv" | cut -f1) CSV;" \
  "output lines: $(wc -l <"$work/plain.out") plain, $(wc -l <"$work/rows.out") CSV"
