#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, build-fuzz/) and runs them.
#
#   scripts/fuzz.sh smoke            every target for 5 seconds (./test.sh runs this)
#   scripts/fuzz.sh long [seconds]   every target for longer (default 600 s each)
#
# Targets run side by side, as many at a time as there are cores.
# Each target starts from its checked-in seeds in fuzz/corpus/<target>/; what
# it learns goes to build-fuzz/corpus/<target>/ and crash inputs to
# build-fuzz/artifacts/. The exit status is non-zero when any target fails.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-smoke}
case "$mode" in
  smoke) seconds=5 ;;
  long) seconds=${2:-600} ;;
  *)
    echo "usage: $0 smoke | long [seconds]" >&2
    exit 2
    ;;
esac

export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
jobs=$(nproc 2>/dev/null || echo 2)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKONDRA_FUZZ=ON -DKONDRA_CORE_ONLY=ON -DKONDRA_TESTS=OFF >/dev/null
targets=()
for source in fuzz/*_fuzz.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --build build-fuzz -j"$jobs" --target "${targets[@]}"

mkdir -p build-fuzz/artifacts
# Runs one target; its log is build-fuzz/<target>.log.
fuzz_one() {
  local target=$1
  local seeds=fuzz/corpus/${target%_fuzz}
  local work=build-fuzz/corpus/${target%_fuzz}
  mkdir -p "$work" "$seeds"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "build-fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/artifacts/"$target"- -print_final_stats=1 "$work" "$seeds" \
    >"build-fuzz/$target.log" 2>&1
}

# The targets run side by side, one per core.
failed=()
pids=()
names=()
collect() {
  local i=$1
  if wait "${pids[$i]}"; then
    echo "== fuzz ${names[$i]} (${seconds} s)"
    grep -E '^(stat::number_of_executed_units|Done)' "build-fuzz/${names[$i]}.log" || true
  else
    echo "== fuzz ${names[$i]} (${seconds} s) FAILED" >&2
    tail -n 60 "build-fuzz/${names[$i]}.log" >&2
    failed+=("${names[$i]}")
  fi
}
next=0
for target in "${targets[@]}"; do
  if ((${#pids[@]} - next >= jobs)); then
    collect "$next"
    next=$((next + 1))
  fi
  fuzz_one "$target" &
  pids+=($!)
  names+=("$target")
done
while ((next < ${#pids[@]})); do
  collect "$next"
  next=$((next + 1))
done

if ((${#failed[@]})); then
  echo "== fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/artifacts/)" >&2
  exit 1
fi
echo "== fuzzing passed"
