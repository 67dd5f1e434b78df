#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build's
# tests, then the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc 2>/dev/null || echo 2)

scripts/setup.sh build
ctest --test-dir build --output-on-failure -j"$jobs"

scripts/setup.sh build-asan -DKONDRA_CORE_ONLY=ON -DKONDRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -L core

if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh smoke
fi
echo "== all tests passed"
