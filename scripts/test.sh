#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test: the native unit and fuzz
# tests of the portable modules beside the Win32 and end-to-end tests under Wine.
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

# The native tests (two at a time, see CMakePresets.json) run beside the Win32 and end-to-end
# tests, which run one at a time in the Wine session: they share nothing, and the window tests
# wait for the state they need rather than for a time, so a busy machine does not upset them.
# The native tests' output is shown once both have ended.
native_log=build/native/test.log
ctest --preset native >"$native_log" 2>&1 &
native=$!
status=0
echo "== Win32 and end-to-end tests (under Wine)"
ctest --preset win32 || status=1
echo "== native tests"
wait "$native" || status=1
cat "$native_log"
exit $status
