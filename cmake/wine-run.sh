#!/usr/bin/env bash
# Runs a Windows x86_64 program under wine64 with a private prefix inside the
# build folder and Wine's own messages silenced.  TZ passes through.
set -euo pipefail
exe=$1
shift
build=${PLOVER_WINE_BUILD_DIR:-$(cd "$(dirname "$exe")" && pwd)}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
exec "$wine" "$exe" "$@"
