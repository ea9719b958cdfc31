#!/usr/bin/env bash
# Measures quandor-check iban on a large batch of German IBANs read from
# stdin. Prints wall time, CPU time (user + system) and peak memory of each
# run (/usr/bin/time) and their medians; on a shared machine the CPU time is
# the steadier figure.
#
# Usage: tools/quandor-check/measure-iban.sh [BUILD_DIR] [ROWS] [RUNS]
#        (defaults: build/release, 1000000, 5; build with the release preset first)
# The input: bank codes drawn from data/blz.txt, random 10-digit accounts,
# right IBAN check digits, fixed seed, so that runs compare. Every IBAN goes
# on to the check of its bank connection, as a customer file's would.
set -euo pipefail
source "$(dirname "$0")/measure-setup.sh"
runs=${3:-5}

# Check digits: 98 minus the remainder of BBAN + "1314" (D = 13, E = 14) + "00"
# modulo 97, taken one digit at a time.
awk -F';' -v n="$rows" 'BEGIN { srand(42) }
  { code[NR] = $1 }
  END { for (i = 0; i < n; i++) {
          bban = code[1 + int(rand() * NR)]
          for (d = 0; d < 10; d++) bban = bban int(rand() * 10)
          text = bban "131400"; r = 0
          for (d = 1; d <= length(text); d++) r = (r * 10 + substr(text, d, 1)) % 97
          printf "DE%02d%s\n", 98 - r, bban } }' data/blz.txt >"$work/ibans.txt"

for ((run = 1; run <= runs; run++)); do
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$bin" iban --data "$build/bin" \
    <"$work/ibans.txt" >"$work/out" 2>/dev/null || true
  read -r wall user sys rss <"$work/time"
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
  echo "$wall $cpu $rss" >>"$work/times"
  printf 'run %d: %s s wall  %s s CPU  %s KB\n' "$run" "$wall" "$cpu" "$rss"
done
median() { cut -d' ' -f"$1" "$work/times" | sort -n | awk -v n="$runs" 'NR == int((n + 1) / 2)'; }
echo "median of $runs runs, $rows rows: $(median 1) s wall  $(median 2) s CPU  $(median 3) KB"
echo "IBANs valid: $(awk -F';' '$1 == 1' "$work/out" | wc -l) of $(wc -l <"$work/out")"
