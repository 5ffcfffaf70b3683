#!/usr/bin/env bash
# Runs a Windows x86_64 program under wine64 with a private prefix inside the
# build folder and Wine's own messages silenced.  TZ passes through.
#
# Tests run in parallel.  The first program to get the lock sets the prefix up
# and starts a wine server that outlives its last client by a minute; the
# others wait for that, so no two programs race to create the prefix or
# connect to a server that is shutting down.
set -euo pipefail
exe=$1
shift
build=${PLOVER_WINE_BUILD_DIR:-$(cd "$(dirname "$exe")" && pwd)}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
server=/usr/lib/wine/wineserver
[ -x "$server" ] || server=$(command -v wineserver || echo true)
{
  flock 9
  mkdir -p "$WINEPREFIX"
  # The server and the services wineboot starts live on: they must not
  # inherit the lock.
  "$server" -p60 >/dev/null 2>&1 9>&- || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 9>&- || true
  fi
} 9>"$WINEPREFIX.lock"
exec "$wine" "$exe" "$@"
