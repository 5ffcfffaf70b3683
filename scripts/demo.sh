#!/usr/bin/env bash
# Sets up, builds and runs plovermeta on the bundled example recording.
#
#   scripts/demo.sh              build, then `plovermeta demo`
#   scripts/demo.sh info FILE    build, then any plovermeta command
#
# Missing Debian packages (cmake ninja-build g++) are installed when run as
# root; otherwise the script says what to install.  The build goes to
# build/demo (PLOVER_BUILD_ROOT to change), the exports and the review page
# of the demo to build/demo/plovermeta-demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${PLOVER_BUILD_ROOT:-$root/build}/demo
jobs=$(nproc 2>/dev/null || echo 2)

. "$root/scripts/packages.sh"
ensure_packages cmake ninja-build g++

echo "== building plovermeta in $out"
# The tool alone: no test suite, so GoogleTest is not needed here.
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLOVER_BUILD_TESTS=OFF >/dev/null
cmake --build "$out" -j "$jobs" --target plovermeta >/dev/null

# The example's times are local times of a recorder set to UTC.
export TZ=${TZ:-UTC0}
if [ $# -eq 0 ]; then
  cd "$out"
  exec "$out/tools/plovermeta" demo --force
fi
exec "$out/tools/plovermeta" "$@"
