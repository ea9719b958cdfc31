#!/usr/bin/env bash
# Installs what is needed, builds, and looks up a bank in the shipped bank code file.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
build/release/bin/quandor-check bank 37050198
