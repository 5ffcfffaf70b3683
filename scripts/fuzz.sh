#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     default: 60 seconds, all targets
#
# A crash, a sanitizer report or a leak stops the run with a non-zero exit
# code and leaves the input as crash-* in the build folder.  Seeds come from
# fuzz/seeds/<target>/; what a run learns stays in build/fuzz-corpus/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${PLOVER_BUILD_ROOT:-$root/build}
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_scanner fuzz_document fuzz_binary fuzz_captions fuzz_file)

. "$root/scripts/packages.sh"
ensure_packages cmake ninja-build clang libclang-rt-14-dev

build=$out/fuzz
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLOVER_BUILD_FUZZ=ON -DPLOVER_BUILD_TESTS=OFF -DPLOVER_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" >/dev/null

passed=0
for t in "${targets[@]}"; do
  corpus=$out/fuzz-corpus/$t
  mkdir -p "$corpus"
  seeds=()
  [ -d "$root/fuzz/seeds/$t" ] && seeds=("$root/fuzz/seeds/$t")
  # Containers need room for many chunks and records pointing at each other.
  max_len=65536
  [ "$t" = fuzz_file ] && max_len=1048576
  echo "== $t: ${seconds}s"
  (cd "$build" && "./fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
    -dict="$root/fuzz/plover.dict" -print_final_stats=1 "$corpus" "${seeds[@]}" 2>"$build/$t.log") || {
    tail -40 "$build/$t.log" >&2
    echo "$t failed" >&2
    exit 1
  }
  grep -E "stat::number_of_executed_units|cov:" "$build/$t.log" | tail -2
  passed=$((passed + 1))
done
echo "fuzz: $passed passed, 0 failed"
