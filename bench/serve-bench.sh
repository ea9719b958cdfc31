#!/usr/bin/env bash
# quandor-serve under load on loopback, with wrk. Not part of CI.
#
# Usage: bench/serve-bench.sh [SOAK_SECONDS]       (default 300)
# Needs: a release build (cmake --preset release && cmake --build --preset
# release --target quandor-serve quandor-check), wrk, curl.
#
# Prints, each next to its target:
#   1. single-account GETs with keep-alive: requests/s and p99 latency (wrk, 30 s)
#   2. POST /v1/accounts:validate with 1,000,000 rows, CSV and NDJSON, best of 3,
#      beside quandor-check validate on the same CSV file
#   3. resident memory during SOAK_SECONDS of GETs and batches (sampled every 10 s)
# The machine is shared and has 2 cores: wrk competes with the server for them.
set -euo pipefail
cd "$(dirname "$0")/.."
soak=${1:-300}
bin=build/release/bin
port=18181
url=http://127.0.0.1:$port
work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT

"$bin/quandor-serve" --listen 127.0.0.1:$port --data data --no-log 2>"$work/serve.log" &
server=$!
sleep 0.5
rss() { awk '/VmRSS/ {print $2}' /proc/$server/status; }
best() { sort -n | head -1; }

echo "== 1. GET /v1/accounts/37040044/0532013000, keep-alive (target: >= 50,000 req/s, p99 <= 2 ms, no errors)"
for connections in 16 64; do
  echo "-- wrk -t2 -c$connections -d30s --latency"
  wrk -t2 -c$connections -d30s --latency "$url/v1/accounts/37040044/0532013000" |
    grep -E 'Requests/sec|  50%|  99%|Socket errors|Non-2xx'
done

echo "== 2. 1,000,000 rows (target: <= 1.5 s)"
awk -F';' 'NF >= 5 && $1 ~ /^[0-9]{8}$/ {print $1}' data/blz.txt > "$work/codes"
awk 'BEGIN {srand(7)} {codes[NR] = $1} END {
       print "blz;konto" > "'"$work"'/rows.csv"
       for (i = 0; i < 1000000; i++) {
         code = codes[int(rand() * NR) + 1]; account = sprintf("%010d", int(rand() * 1e10))
         print code ";" account > "'"$work"'/rows.csv"
         printf "{\"bank_code\":\"%s\",\"account\":\"%s\"}\n", code, account > "'"$work"'/rows.ndjson"
       }}' "$work/codes"
for type in csv ndjson; do
  content_type=text/csv
  [ $type = ndjson ] && content_type=application/x-ndjson
  for _ in 1 2 3; do
    curl -s -o "$work/out" -w '%{time_total}\n' -H "Content-Type: $content_type" \
      --data-binary @"$work/rows.$type" "$url/v1/accounts:validate"
  done | best | sed "s/^/POST $type: /; s/$/ s/"
  echo "   rows answered: $(wc -l < "$work/out")"
done
for _ in 1 2 3; do
  /usr/bin/time -f '%e' "$bin/quandor-check" validate --input "$work/rows.csv" \
    --output "$work/check.csv" 2>&1 >/dev/null | tail -1
done | best | sed 's/^/quandor-check validate --input (same CSV): /; s/$/ s/'

echo "== 3. memory over ${soak} s of GETs and batches (target: flat)"
echo "rss at start: $(rss) KiB"
wrk -t1 -c32 -d"${soak}s" "$url/v1/accounts/37040044/0532013000" >"$work/wrk.log" &
load=$!
end=$((SECONDS + soak))
while [ $SECONDS -lt $end ]; do
  head -c 2000000 "$work/rows.csv" | curl -s -o /dev/null -H 'Content-Type: text/csv' \
    --data-binary @- "$url/v1/accounts:validate"
  echo "t=$((soak - (end - SECONDS))) s rss=$(rss) KiB"
  sleep 10
done
wait $load
grep -E 'Requests/sec|Socket errors|Non-2xx' "$work/wrk.log" || true
echo "rss at end: $(rss) KiB"
