#!/usr/bin/env bash
# Sets up, builds and runs every test of PloverMetaParser.
#
#   scripts/test.sh            all stages
#   scripts/test.sh native     only the named stages
#
# Stages: native (warnings as errors), asan (AddressSanitizer and
# UndefinedBehaviorSanitizer), i686 (32-bit build, run under qemu-i386),
# valgrind (the native build's test programs under valgrind memcheck),
# consumer (another CMake project links the library; install works),
# windows (the x86_64 DLL and tests cross-built with MinGW-w64, run under
# wine64), windows-i686 (the 32-bit DLL and tests, built and linked only: this
# machine cannot run 32-bit Windows programs), fuzz (every libFuzzer target
# for a bounded time, PLOVER_FUZZ_SECONDS each, default 60).
# Missing Debian packages are installed when run as root; otherwise the
# script says what to install.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${PLOVER_BUILD_ROOT:-$root/build}
jobs=$(nproc 2>/dev/null || echo 2)

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(native asan valgrind i686 consumer windows windows-i686 fuzz)

# xmllint, GDAL, gpxpy and ffmpeg read the command-line tool's exports back.
packages=(cmake ninja-build g++ libgtest-dev googletest libxml2-utils python3 gdal-bin python3-gpxpy ffmpeg)
for s in "${stages[@]}"; do
  case $s in
    i686) packages+=(g++-multilib qemu-user) ;;
    valgrind) packages+=(valgrind) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    windows) packages+=(g++-mingw-w64-x86-64 wine64 binutils-mingw-w64-x86-64) ;;
    windows-i686) packages+=(g++-mingw-w64-i686 binutils-mingw-w64-i686) ;;
  esac
done

. "$root/scripts/packages.sh"

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

# Every test program of the native build under memcheck: an invalid access,
# a use of uninitialised memory or a leak fails the stage.
valgrind_stage() {
  [ -f "$out/native/build.ninja" ] || build_and_test native -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$out/native" -j "$jobs" >/dev/null
  echo "== valgrind: test programs under memcheck"
  local names passed=0 failed=0
  # Tests labelled host run programs of the machine, not ours; native-only
  # ones are too slow under memcheck.
  names=$(ctest --test-dir "$out/native" -N -LE "host|native-only" | sed -n 's/^ *Test *#[0-9]*: //p')
  for name in $names; do
    local exe
    exe=$(find "$out/native/tests" -type f -name "$name" -perm -u+x | head -1)
    [ -n "$exe" ] || { echo "no program for test $name" >&2; failed=$((failed + 1)); continue; }
    if (cd "$(dirname "$exe")" && valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
      "$exe" --gtest_brief=1 >"$out/native/valgrind-$name.log" 2>&1); then
      passed=$((passed + 1))
    else
      tail -40 "$out/native/valgrind-$name.log" >&2
      failed=$((failed + 1))
    fi
  done
  echo "valgrind: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
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

# check_dll TRIPLE DLL: the class's members are exported and the DLL needs
# nothing but system DLLs.
check_dll() {
  local dump
  dump=$("$1-objdump" -p "$2")
  local member
  for member in CMetaParserC1Ev CMetaParserD1Ev CMetaParseraSE inputdata_xml inputdata_binary inputdata_file \
    inputdata_VTT outdata_num outdata_str outdata_finfo_osdEP outdata_pinfo_osdEy outdata_loginInfo_osd GetAv3File \
    GetMetaFileName GetModelTypeVinfo GetCameraModelRate outdata_finfo_osd_mk2 outdata_pinfo_osd_mk2 GetVTTData \
    SetOsdInfoSizeEj GetOsdInfoSizeEPj SetOsdInfoSizeMk2 GetOsdInfoSizeMk2 clear_metadata ClearVTTData \
    ReleaseAv3FileList; do
    grep -q "$member" <<<"$dump" || { echo "$2 does not export $member" >&2; return 1; }
  done
  local deps
  deps=$(grep "DLL Name" <<<"$dump" | awk '{print $3}' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
  echo "$2 imports: $deps"
  for d in $deps; do
    case $d in
      kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll) ;;
      *) echo "$2 depends on $d, not a system DLL" >&2; return 1 ;;
    esac
  done
}

windows() {
  build_and_test windows -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
    -DPLOVER_GTEST_FROM_SOURCE=ON
  check_dll x86_64-w64-mingw32 "$out/windows/bin/PloverMetaParser.dll"
}

windows_i686() {
  echo "== windows-i686: configure and build (record layout checked at compile time)"
  cmake -S "$root" -B "$out/windows-i686" -G Ninja -DPLOVER_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DPLOVER_GTEST_FROM_SOURCE=ON >/dev/null
  cmake --build "$out/windows-i686" -j "$jobs"
  test -f "$out/windows-i686/libPloverMetaParser.dll.a"
  check_dll i686-w64-mingw32 "$out/windows-i686/bin/PloverMetaParser.dll"
}

ensure_packages "${packages[@]}"
for s in "${stages[@]}"; do
  case $s in
    native) build_and_test native -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    asan) build_and_test asan -DCMAKE_BUILD_TYPE=Debug -DPLOVER_SANITIZE=address,undefined ;;
    i686) build_and_test i686 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$root/cmake/linux-i686.cmake" \
      -DPLOVER_GTEST_FROM_SOURCE=ON ;;
    consumer) consumer ;;
    valgrind) valgrind_stage ;;
    windows) windows ;;
    windows-i686) windows_i686 ;;
    fuzz) PLOVER_BUILD_ROOT=$out "$root/scripts/fuzz.sh" "${PLOVER_FUZZ_SECONDS:-60}" ;;
    *) echo "unknown stage: $s" >&2; exit 2 ;;
  esac
done
echo "== all stages passed: ${stages[*]}"
