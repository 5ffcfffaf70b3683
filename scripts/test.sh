#!/usr/bin/env bash
# Sets up, builds and runs every test of PloverMetaParser.
#
#   scripts/test.sh            all stages
#   scripts/test.sh native     only the named stages
#
# Stages: native (warnings as errors), asan (AddressSanitizer and
# UndefinedBehaviorSanitizer), i686 (32-bit build, run under qemu-i386),
# valgrind (the native build's test programs under valgrind memcheck),
# consumer (another project links the library through add_subdirectory, and
# through find_package and pkg-config against an installed prefix),
# windows (the x86_64 DLL and tests cross-built with MinGW-w64, run under
# wine64, among them a caller built by clang in Microsoft mode; the zip made by
# cpack), windows-i686 (the 32-bit DLL, tests and Microsoft-mode caller, built
# and linked only: this machine cannot run 32-bit Windows programs; the zip),
# fuzz (every libFuzzer target for a bounded time, PLOVER_FUZZ_SECONDS each,
# default 60), package (the Debian package from a Release build: contents,
# lintian, man page; as root it is installed and used from /usr), browser (the
# review page of the native build's plovermeta in headless chromium; the
# screenshot stays in <build>/native/review-artefacts), python (the Python
# package built in Release with the library linked in, installed into a
# virtual environment over Debian's packages, tested with pytest, the Dask
# archive on a local two-worker cluster included).
# Missing Debian packages are installed when run as root; otherwise the
# script says what to install.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${PLOVER_BUILD_ROOT:-$root/build}
jobs=$(nproc 2>/dev/null || echo 2)

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(native browser asan valgrind i686 consumer windows windows-i686 fuzz package python)

# xmllint, GDAL, gpxpy and ffmpeg read the command-line tool's exports back.
packages=(cmake ninja-build g++ libgtest-dev googletest libxml2-utils python3 gdal-bin python3-gpxpy ffmpeg tzdata)
for s in "${stages[@]}"; do
  case $s in
    i686) packages+=(g++-multilib qemu-user) ;;
    valgrind) packages+=(valgrind) ;;
    consumer) packages+=(pkgconf) ;;
    package) packages+=(pkgconf help2man lintian dpkg-dev file man-db) ;;
    browser) packages+=(chromium chromium-driver python3-selenium ffmpeg) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    windows) packages+=(g++-mingw-w64-x86-64 wine64 binutils-mingw-w64-x86-64 clang lld llvm) ;;
    windows-i686) packages+=(g++-mingw-w64-i686 binutils-mingw-w64-i686 clang lld llvm) ;;
    python) packages+=(python3-venv python3-pip python3-setuptools python3-wheel python3-pybind11 pybind11-dev
      python3-numpy python3-pandas python3-dask python3-distributed python3-pytest python3-geopandas) ;;
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

# outside_project PREFIX: examples/consumer, a project of its own, builds
# against the library installed under PREFIX with find_package, and its
# program compiles with the flags pkg-config gives; both run.
outside_project() {
  local prefix=$1 work pc
  work=$(mktemp -d)
  echo "== outside project: find_package(PloverMetaParser) under $prefix"
  cmake -S "$root/examples/consumer" -B "$work/find" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  cmake --build "$work/find" >/dev/null
  "$work/find/consumer"
  echo "== outside project: pkg-config --cflags --libs plovermeta under $prefix"
  pc=$(dirname "$(find "$prefix"/lib* -maxdepth 3 -name plovermeta.pc | head -1)")
  c++ "$root/examples/consumer/main.cpp" -o "$work/pc-consumer" \
    $(PKG_CONFIG_PATH=$pc pkg-config --cflags --libs plovermeta)
  LD_LIBRARY_PATH=$(PKG_CONFIG_PATH=$pc pkg-config --variable=libdir plovermeta) "$work/pc-consumer"
  rm -rf "$work"
}

# The review page in a real browser, with the native build's tool.
browser_stage() {
  [ -f "$out/native/build.ninja" ] || build_and_test native -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$out/native" -j "$jobs" --target plovermeta >/dev/null
  echo "== browser: the review page in headless chromium"
  /usr/bin/python3 "$root/tests/tools/review_browser_test.py" "$out/native/tools/plovermeta" \
    "$root/examples/recording" "$out/native/review-artefacts"
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
  echo "== consumer: cmake --install into a prefix"
  cmake --install "$work/build/plover" --prefix "$work/prefix" >/dev/null
  outside_project "$work/prefix"
  echo "== consumer: examples/api builds against the installed library and prints the example's samples"
  cmake -S "$root/examples/api" -B "$work/api" -G Ninja -DPLOVER_ROOT="$work/prefix" >/dev/null
  cmake --build "$work/api" -j "$jobs" >/dev/null
  local printed
  printed=$("$work/api/plover_api_example" "$root/examples/recording/20260314_100000.xml")
  grep -q "^2026-03-14T10:01:40.000Z  46\.9[0-9]* 7\.[0-9]*$" <<<"$printed"
  [ "$(wc -l <<<"$printed")" -eq 181 ]
  echo "4 passed, 0 failed"
}

# The optimised build that packaging uses, configured for /usr; built once
# and reused by every stage that asks for it.
release_build() {
  echo "== release: configure and build"
  [ -f "$out/release/build.ninja" ] ||
    cmake -S "$root" -B "$out/release" -G Ninja -DPLOVER_WERROR=ON -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX=/usr -DPLOVER_BUILD_TESTS=OFF >/dev/null
  cmake --build "$out/release" -j "$jobs"
}

# completion_lacks TOOL: each option in a command's help table that bash
# completion does not offer after "plovermeta COMMAND --".
completion_lacks() {
  local command offered option
  for command in info osd play export review demo; do
    offered=$(bash -c '. "$1"; COMP_WORDS=(plovermeta "$2" --); COMP_CWORD=2; _plovermeta; echo " ${COMPREPLY[*]} "' \
      _ "$root/packaging/plovermeta.bash-completion" "$command")
    for option in $("$1" "$command" --help | grep -oE -- '^ +(-[a-z], )?--[a-z]+' | grep -oE -- '--[a-z]+'); do
      [[ $offered == *" $option "* ]] || echo "plovermeta $command $option"
    done
  done
}

# The Debian package: what it holds, lintian without errors, the man page;
# as root, installed, used from /usr by plovermeta and the outside project,
# and removed again.
package() {
  release_build
  local dir=$out/release version major deb listing path
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
  major=${version%%.*}
  echo "== package: cpack"
  rm -rf "$dir/packages"
  (cd "$dir" && cpack -G DEB >/dev/null)
  deb=$(ls "$dir"/packages/plovermetaparser_"$version"-*.deb)
  echo "== package: contents of $(basename "$deb")"
  listing=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||')
  for path in usr/bin/plovermeta usr/include/PloverMetaParser.h "usr/lib/*/libPloverMetaParser.so.$version" \
    "usr/lib/*/libPloverMetaParser.so.$major" "usr/lib/*/libPloverMetaParser.so" \
    "usr/lib/*/cmake/PloverMetaParser/PloverMetaParserConfig.cmake" \
    "usr/lib/*/cmake/PloverMetaParser/PloverMetaParserConfigVersion.cmake" \
    "usr/lib/*/cmake/PloverMetaParser/PloverMetaParserTargets.cmake" "usr/lib/*/pkgconfig/plovermeta.pc" \
    usr/share/man/man1/plovermeta.1.gz usr/share/bash-completion/completions/plovermeta \
    usr/share/doc/plovermetaparser/copyright usr/share/doc/plovermetaparser/changelog.Debian.gz \
    usr/share/doc/plovermetaparser/changelog.gz usr/share/plovermetaparser/examples/20260314_100000.xml; do
    grep -qx "${path//\*/[^/]*}" <<<"$listing" || { echo "the package lacks $path" >&2; return 1; }
  done
  readelf -d "$dir/libPloverMetaParser.so.$version" | grep -q "SONAME.*\[libPloverMetaParser.so.$major\]"
  [ "$("$dir/tools/plovermeta" --version)" = "plovermeta $version" ]
  local lacking
  lacking=$(completion_lacks "$dir/tools/plovermeta")
  [ -z "$lacking" ] || { echo "bash completion lacks: $lacking" >&2; return 1; }
  echo "== package: lintian"
  lintian --fail-on error "$deb"
  echo "== package: man -l"
  man -l "$dir/plovermeta.1.gz" | grep -q "plovermeta COMMAND"
  if [ "$(id -u)" != 0 ]; then
    echo "package: installing the .deb skipped (needs root)"
    return 0
  fi
  echo "== package: installed from the .deb"
  apt-get install -y -qq -o DPkg::Lock::Timeout=600 "$deb" >/dev/null
  local rc
  set +e
  (
    set -e
    [ "$(plovermeta --version)" = "plovermeta $version" ]
    man plovermeta | grep -q "plovermeta COMMAND"
    local tour
    tour=$(mktemp -d)
    (cd "$tour" && plovermeta demo --examples /usr/share/plovermetaparser/examples >/dev/null 2>"$tour/stderr") ||
      { cat "$tour/stderr" >&2; exit 1; }
    rm -rf "$tour"
    outside_project /usr
  )
  rc=$?
  set -e
  dpkg -P plovermetaparser >/dev/null
  [ "$rc" -eq 0 ] && echo "package: 7 passed, 0 failed"
}

# check_dll TRIPLE DLL ARCH: every name of msabi/exports.list, MinGW's and
# Microsoft's for ARCH, is exported; no member of the class is exported
# without its line there; the DLL needs nothing but system DLLs.
check_dll() {
  local dump exports column=2
  dump=$("$1-objdump" -p "$2")
  exports=$(sed -n 's/^\t\[ *[0-9]*\] //p' <<<"$dump")
  [ "$3" = x86_64 ] && column=3
  local gnu ms name
  while read -r gnu ms; do
    for name in "$gnu" "$ms"; do
      grep -qxF -- "$name" <<<"$exports" || { echo "$2 does not export $name" >&2; return 1; }
    done
  done < <(awk -v c=$column '!/^#/ && NF { print $1, $c }' "$root/msabi/exports.list")
  for name in $(grep '^_ZN11CMetaParser' <<<"$exports" | grep -v 'C2Ev$\|D2Ev$'); do
    grep -q "^$name " "$root/msabi/exports.list" || { echo "$name is missing from msabi/exports.list" >&2; return 1; }
  done
  echo "$2 exports every member under both names"
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

# bundle NAME SUFFIX: cpack makes the Windows zip of build NAME, and it holds
# what a viewer's developer needs.
bundle() {
  echo "== $1: cpack"
  (cd "$out/$1" && rm -f PloverMetaParser-*-"$2".zip && cpack -G ZIP >/dev/null)
  python3 - "$out/$1"/PloverMetaParser-*-"$2".zip <<'EOF'
import sys, zipfile
names = zipfile.ZipFile(sys.argv[1]).namelist()
wanted = ["bin/PloverMetaParser.dll", "lib/PloverMetaParser.lib", "lib/libPloverMetaParser.dll.a",
          "lib/PloverMetaParser.def", "include/PloverMetaParser.h", "LINKING.txt"]
missing = [w for w in wanted if not any(n == w or n.endswith("/" + w) for n in names)]
if missing:
    sys.exit("%s lacks %s" % (sys.argv[1], ", ".join(missing)))
print("%s: %d files" % (sys.argv[1], len([n for n in names if not n.endswith("/")])))
EOF
}

windows() {
  build_and_test windows -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
    -DPLOVER_GTEST_FROM_SOURCE=ON
  check_dll x86_64-w64-mingw32 "$out/windows/bin/PloverMetaParser.dll" x86_64
  bundle windows win64
}

windows_i686() {
  echo "== windows-i686: configure and build (record layout checked at compile time)"
  cmake -S "$root" -B "$out/windows-i686" -G Ninja -DPLOVER_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DPLOVER_GTEST_FROM_SOURCE=ON >/dev/null
  cmake --build "$out/windows-i686" -j "$jobs"
  test -f "$out/windows-i686/libPloverMetaParser.dll.a"
  check_dll i686-w64-mingw32 "$out/windows-i686/bin/PloverMetaParser.dll" i686
  bundle windows-i686 win32
}

# cpu_now: cpu_total becomes the CPU seconds of every finished child so far
# (times runs in this shell; in a subshell it would count that one's only).
cpu_now() {
  times >"$out/.times"
  cpu_total=$(awk 'END { split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' \
    "$out/.times")
}
minutes() { echo "$(($1 / 60))m$(($1 % 60))s"; }
# The Python package as the README installs it: a virtual environment over
# Debian's Python, pip offline.  One Release build folder serves the extension
# and the tool the tests compare with, and is reused by later runs.
python_stage() {
  local build=$out/python venv=$out/python-venv
  [ -x "$venv/bin/python" ] || /usr/bin/python3 -m venv --system-site-packages "$venv"
  echo "== python: build the extension module and the tool (Release)"
  cmake -S "$root/python" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLOVER_BUILD_TOOLS=ON \
    -DPYTHON_EXECUTABLE="$venv/bin/python" >/dev/null
  cmake --build "$build" -j "$jobs" --target _plovermeta plovermeta
  echo "== python: pip install --no-build-isolation --no-index ./python"
  PLOVER_PYTHON_BUILD_DIR=$build CMAKE_BUILD_PARALLEL_LEVEL=$jobs \
    "$venv/bin/pip" install -q --no-build-isolation --no-index "$root/python"
  echo "== python: tests"
  # From the top folder, so that python/plovermeta does not hide the installed package.
  (cd "$root" && PLOVERMETA_TOOL=$build/plover/tools/plovermeta "$venv/bin/python" -m pytest -q -p no:cacheprovider python/tests)
}

ensure_packages "${packages[@]}"
mkdir -p "$out"
timings=()
for s in "${stages[@]}"; do
  started=$SECONDS
  cpu_now
  cpu=$cpu_total
  case $s in
    native) build_and_test native -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    asan) build_and_test asan -DCMAKE_BUILD_TYPE=Debug -DPLOVER_SANITIZE=address,undefined ;;
    i686) build_and_test i686 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$root/cmake/linux-i686.cmake" \
      -DPLOVER_GTEST_FROM_SOURCE=ON ;;
    consumer) consumer ;;
    valgrind) valgrind_stage ;;
    browser) browser_stage ;;
    windows) windows ;;
    windows-i686) windows_i686 ;;
    python) python_stage ;;
    fuzz) PLOVER_BUILD_ROOT=$out "$root/scripts/fuzz.sh" "${PLOVER_FUZZ_SECONDS:-60}" ;;
    package) package ;;
    *) echo "unknown stage: $s" >&2; exit 2 ;;
  esac
  cpu_now
  timings+=("$s: $(minutes $((SECONDS - started))) wall, $(minutes $((cpu_total - cpu))) CPU")
  echo "== ${timings[-1]}"
done
echo "== all stages passed"
printf '  %s\n' "${timings[@]}"
