#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Quandor need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config      # build
  libinih-dev                                        # settings file (INI) parser
  nlohmann-json3-dev                                 # JSON of quandor-check and quandor-serve
  qt6-base-dev qt6-qpa-plugins                       # info box and sample program (Qt 6 Widgets)
  libgtest-dev libgmock-dev libbenchmark-dev         # tests and benchmarks
  clang libclang-rt-14-dev                           # libFuzzer targets
  valgrind xvfb xauth python3 dpkg-dev file time     # checks, screenshots, packaging, measuring
  lintian                                            # checks the Debian packages
  python3-dev pybind11-dev python3-pybind11          # Python package quandor
  python3-numpy python3-pandas python3-pytest        # ... its columns and tests
  python3-dask python3-distributed                   # ... the Dask example
  libboost-dev                                       # quandor-serve: HTTP (Boost.Beast)
  python3-jsonschema python3-yaml wrk                # ... its end-to-end tests (schema) and benchmark
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  echo "Installing: ${missing[*]}"
  log=$(mktemp)
  if ! { $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  rm -f "$log"
fi
