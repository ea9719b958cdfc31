#!/usr/bin/env bash
# Installs what is needed, builds, and starts the sample program Quandor on the
# shipped bank code file. Where no display is available it says so and runs the
# same checks with quandor-check instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target Quandor quandor-check
bin=build/release/bin

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display available (neither DISPLAY nor WAYLAND_DISPLAY is set): the window"
  echo "of Quandor cannot open here. Start it on a desktop, or under a virtual display"
  echo "with: xvfb-run -a $bin/Quandor"
  echo
  echo "The same checks with quandor-check:"
  status=0
  for request in "validate 37050198 123456782" "validate --rules current 10050000 1234567895" \
                 "bank 10050000" "search Köln" \
                 "card amex 378282246310005"; do
    echo "\$ quandor-check $request"
    # shellcheck disable=SC2086  # the request is split into its words on purpose
    "$bin/quandor-check" $request || status=$?
  done
  exit "$status"
fi
exec "$bin/Quandor"
