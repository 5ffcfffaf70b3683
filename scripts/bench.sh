#!/usr/bin/env bash
# Builds the benchmarks (Release) and compares the library's intakes and
# queries with what an application would write instead (a DOM parse of the
# document) and with the physical floor (one copy or one read() of the same
# bytes); prints each ratio plainly at the end.
#
#   scripts/bench.sh                      # everything, a few minutes
#   scripts/bench.sh --benchmark_filter=Xml   # any Google Benchmark option
#
# BUILD_DIR (default build-bench) is the build folder.  As root, missing
# Debian packages are installed with apt-get; otherwise they are named.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-bench}

. ./scripts/packages.sh
ensure_packages cmake ninja-build g++ python3 libbenchmark-dev libpugixml-dev

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLOVER_BUILD_BENCH=ON -DPLOVER_BUILD_TESTS=OFF \
  -DPLOVER_BUILD_TOOLS=OFF >/dev/null
ninja -C "$BUILD_DIR" plover_bench

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
"$BUILD_DIR/bench/plover_bench" --benchmark_enable_random_interleaving=true --benchmark_out="$BUILD_DIR/bench.json" \
  --benchmark_out_format=json "$@"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "load average (1, 5, 15 min): before $load_before, after $load_after"
python3 bench/report.py "$BUILD_DIR/bench.json"
