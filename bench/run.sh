#!/usr/bin/env bash
# Builds the benchmarks (build/, the normal optimised build) and runs them,
# printing the machine first, so the figures can go into bench/README.md.
#
#   bench/run.sh            every benchmark
#   bench/run.sh FILTER     only those whose name matches the regex FILTER
#
# The benchmarks are never tests: nothing here fails on a slow figure.
set -euo pipefail
cd "$(dirname "$0")/.."
filter=${1:-.}
build=${KONDRA_BUILD:-build}
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
benches=()
for source in bench/*_bench.cpp; do benches+=("$(basename "$source" .cpp)"); done

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target "${benches[@]}" kondra_installation >/dev/null

echo "== machine"
echo "cpu:      $(lscpu | sed -n 's/^Model name: *//p' | head -1), $(nproc) cores"
echo "memory:   $(free -g | awk '/^Mem:/ { print $2 " GB" }')"
echo "system:   $(uname -sr)"
echo "compiler: $(c++ --version | head -1)"
echo "build:    $(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")"
for bench in "${benches[@]}"; do
  echo "== $bench"
  "$build/bin/$bench" --benchmark_filter="$filter" --benchmark_min_time=0.5 2>&1 | grep -v '^\*\*\*WARNING'
done
