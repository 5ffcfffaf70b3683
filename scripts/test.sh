#!/usr/bin/env bash
# Sets up, builds and runs every test of PloverMetaParser.
#
#   scripts/test.sh            all stages
#   scripts/test.sh native     only the named stages (native asan i686 consumer)
#
# Stages: native (warnings as errors), asan (AddressSanitizer and
# UndefinedBehaviorSanitizer), i686 (32-bit build, run under qemu-i386),
# consumer (another CMake project links the library; install works).
# Missing Debian packages are installed when run as root; otherwise the
# script says what to install.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${PLOVER_BUILD_ROOT:-$root/build}
jobs=$(nproc 2>/dev/null || echo 2)

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(native asan i686 consumer)

packages=(cmake ninja-build g++ libgtest-dev googletest)
for s in "${stages[@]}"; do
  case $s in
    i686) packages+=(g++-multilib qemu-user) ;;
  esac
done

ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" = 0 ]; then
    echo "== installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "missing packages; install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
}

# build NAME [cmake args...]: configure, build and run the tests.
build_and_test() {
  local name=$1
  shift
  echo "== $name: configure and build"
  cmake -S "$root" -B "$out/$name" -G Ninja -DPLOVER_WERROR=ON "$@" >/dev/null
  cmake --build "$out/$name" -j "$jobs"
  echo "== $name: tests"
  ctest --test-dir "$out/$name" -j "$jobs" --output-on-failure
}

consumer() {
  echo "== consumer: a separate project links the library through add_subdirectory"
  local work
  work=$(mktemp -d)
  trap 'rm -rf "$work"' RETURN
  cp -r "$root/examples/consumer" "$work/app"
  cmake -S "$work/app" -B "$work/build" -G Ninja -DPLOVER_ROOT="$root" >/dev/null
  cmake --build "$work/build" -j "$jobs" >/dev/null
  "$work/build/consumer"
  echo "== consumer: cmake --install puts the library and the header in place"
  cmake --install "$work/build/plover" --prefix "$work/prefix" >/dev/null
  test -f "$work/prefix/include/PloverMetaParser.h"
  ls "$work/prefix"/lib*/libPloverMetaParser.so* >/dev/null
  echo "1 passed, 0 failed"
}

ensure_packages "${packages[@]}"
for s in "${stages[@]}"; do
  case $s in
    native) build_and_test native -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    asan) build_and_test asan -DCMAKE_BUILD_TYPE=Debug -DPLOVER_SANITIZE=address,undefined ;;
    i686) build_and_test i686 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$root/cmake/linux-i686.cmake" \
      -DPLOVER_GTEST_FROM_SOURCE=ON ;;
    consumer) consumer ;;
    *) echo "unknown stage: $s" >&2; exit 2 ;;
  esac
done
echo "== all stages passed: ${stages[*]}"
