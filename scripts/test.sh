#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test: the native unit and fuzz
# tests of the portable modules beside the Win32 and end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

# The program as it ships is always built. Where the machine runs no 32-bit programs, 32-bit Wine
# cannot start, and the tests under Wine run the 64-bit build of the same sources in 64-bit Wine;
# the checks of the shipped files themselves (label "shipped": its imports, the sample disc) need
# no Wine and still read the 32-bit build.
arch=$(scripts/wine-arch)
export VELM_WINE_ARCH=$arch
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset win32 >/dev/null
cmake --build --preset win32
if [ "$arch" = win64 ]; then
  echo "== this machine runs no 32-bit programs: the tests under Wine run the 64-bit build"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64
fi

session=build/$arch/wine
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
if [ "$arch" = win32 ]; then
  echo "== Win32 and end-to-end tests (under Wine)"
  ctest --preset win32 || status=1
else
  echo "== checks of the shipped 32-bit program and disc"
  ctest --preset win32 -L shipped || status=1
  echo "== Win32 and end-to-end tests (the 64-bit build, under 64-bit Wine)"
  ctest --preset win64 -LE shipped || status=1
fi
echo "== native tests"
wait "$native" || status=1
cat "$native_log"
exit $status
