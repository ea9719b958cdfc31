# Sourced by the measure-*.sh scripts: the repository as working directory,
# build (first argument, default build/release), rows (second, default
# 1000000), bin (the quandor-check of the build, which must exist) and work
# (a scratch directory removed on exit).
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
build=${1:-build/release}
rows=${2:-1000000}
bin=$build/bin/quandor-check
[ -x "$bin" ] || { echo "no $bin; build first (cmake --preset release && cmake --build --preset release)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
