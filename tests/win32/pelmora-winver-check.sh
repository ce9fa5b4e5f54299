#!/usr/bin/env bash
# Runs the release probe under Wine pretending to be one Windows release and checks its answer.
# The release is set for this probe's exe name only (a key under AppDefaults), so tests running
# at the same time in the same prefix keep the prefix's own release; the key goes at the end.
# Usage: pelmora-winver-check.sh <wine-run> <probe.exe> <work folder> <wine release> <expected>
set -euo pipefail
wine_run=$1 probe=$2 work=$3 release=$4 expected=$5

exe=pelmora_winver_$release.exe
mkdir -p "$work"
cp "$probe" "$work/$exe"
key="HKCU\\Software\\Wine\\AppDefaults\\$exe"

cleanup() { "$wine_run" reg delete "$key" /f >/dev/null 2>&1 || true; }
trap cleanup EXIT

# Each step that can fail says so: a silent exit under set -e tells nothing of what went wrong.
if ! "$wine_run" reg add "$key" /v Version /d "$release" /f >/dev/null; then
  echo "Wine as $release: could not set the release for $exe" >&2
  exit 1
fi
# Wine now and then loses a new process at its start; the probe only asks, so a lost one is
# started once more, and said.
if ! answer=$("$wine_run" "$work/$exe" | tr -d '\r'); then
  echo "Wine as $release: the probe did not run to its end (it printed '$answer'), once more" >&2
  if ! answer=$("$wine_run" "$work/$exe" | tr -d '\r'); then
    echo "Wine as $release: the probe did not run to its end again (it printed '$answer')" >&2
    exit 1
  fi
fi
if [ "$answer" != "$expected" ]; then
  echo "Wine as $release: GetWindowsVersion answered '$answer', expected '$expected'" >&2
  exit 1
fi
echo "Wine as $release: $answer"
