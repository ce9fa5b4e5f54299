#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test: the native unit and fuzz
# tests of the portable modules, then the Win32 and end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset win32 >/dev/null
cmake --build --preset win32

session=build/win32/wine
stop_session() { scripts/wine-session "$session" stop; }
trap stop_session EXIT
VELM_XVFB=1 scripts/wine-session "$session" start

status=0
echo "== native tests"
ctest --preset native || status=1
echo "== Win32 and end-to-end tests (under Wine)"
ctest --preset win32 || status=1
exit $status
