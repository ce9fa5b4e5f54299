#!/usr/bin/env bash
# Installs what building and testing VelmPres needs on a Debian 12 machine: the MinGW-w64 cross
# compiler, Wine (32-bit, or 64-bit where the machine runs no 32-bit programs), Xvfb, xorriso (the
# disc image), FUSE with fusepy and fuseiso (the drive benchmark's CD-ROM drive), the Greek locale, and the source entries that `apt-get source` needs for the JPEG
# library. Safe to run again: it only installs what is missing, and reads the package index only
# when something is missing or the source entries changed.
#
# A mirror in the middle of a sync serves an index that does not match its release file ("File
# has unexpected size ... Mirror sync in progress?"): apt-get update then fails, and without the
# i386 index the 32-bit Wine packages cannot be installed. A sync passes within minutes, so the
# update and the install are tried three times with a pause between (VELM_APT_PAUSE seconds,
# 30 by default), and a failure that remains names the index and says to run this again.
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi; }

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 nasm dpkg-dev
  wine fonts-wine xvfb xauth x11-utils imagemagick
  netpbm locales python3 python3-pil file xorriso
  python3-fusepy libfuse2 fuse3 fuseiso
)
# 32-bit Wine where the machine runs 32-bit programs; where it runs none, 64-bit Wine and the
# compiler for the 64-bit build of the same sources that the tests then run (scripts/wine-arch).
wine_arch=$("$(dirname "$0")/wine-arch")
if [ "$wine_arch" = win32 ]; then
  packages+=(wine32)
else
  packages+=(wine64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source entries: the JPEG library for the Windows target is built from Debian's own source
# package. Enable deb-src by rewriting the machine's own list, never by naming a host.
src_list=/etc/apt/sources.list.d/debian.sources
src_changed=0
if [ -f "$src_list" ] && ! grep -q '^Types:.*deb-src' "$src_list"; then
  need_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$src_list"
  src_changed=1
elif [ -f /etc/apt/sources.list ] && ! grep -q '^deb-src' /etc/apt/sources.list; then
  need_root sed -i -e 'p' -e 's/^deb /deb-src /' /etc/apt/sources.list
  src_changed=1
fi

if [ "$wine_arch" = win32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_root dpkg --add-architecture i386
  src_changed=1
fi

tries=3
pause=${VELM_APT_PAUSE:-30}
apt_log=$(mktemp)
trap 'rm -f "$apt_log"' EXIT

# Runs an apt-get command up to $tries times; its output goes to the terminal and to $apt_log.
apt_retry() {
  local try
  for try in $(seq "$tries"); do
    if need_root "$@" 2>&1 | tee -a "$apt_log"; [ "${PIPESTATUS[0]}" -eq 0 ]; then return 0; fi
    if [ "$try" -lt "$tries" ]; then
      echo "deps: '$*' failed (try $try of $tries); trying again in $pause s" >&2
      sleep "$pause"
    fi
  done
  return 1
}

# The indexes apt could not fetch, from its "Err:" lines (the index, and the reason on the line
# after) and its "E: Failed to fetch" lines (the address and the reason).
failed_indexes() {
  sed -n -e '/^Err:/{N;s/^Err:[0-9]* \([^\n]*\)\n *\(.*\)$/  \1: \2/p;}' \
         -e 's/^E: Failed to fetch \([^ ]*\)  *\(.*\)$/  \1: \2/p' "$apt_log" | sort -u
}

give_up() {
  echo "deps: $1" >&2
  local failed
  failed=$(failed_indexes)
  if [ -n "$failed" ]; then
    echo "deps: these package indexes could not be read:" >&2
    echo "$failed" >&2
    if grep -q 'Mirror sync in progress' <<<"$failed"; then
      echo "deps: the package registry is in the middle of a sync: until it is over (within" >&2
    else
      echo "deps: the package registry is most likely in the middle of a sync: until it is over (within" >&2
    fi
    echo "      minutes) its files do not match one another, and without that index the packages" >&2
    echo "      cannot be installed. Run the same command again later." >&2
  else
    echo "deps: see apt's messages above; the same command can be run again." >&2
  fi
  exit 1
}

if [ ${#missing[@]} -gt 0 ] || [ $src_changed -eq 1 ] || [ ! -d /var/lib/apt/lists ] \
   || [ -z "$(ls /var/lib/apt/lists/*Sources* 2>/dev/null)" ]; then
  # A failed update leaves the indexes it did read; the install below says whether they do.
  apt_retry apt-get update -q || echo "deps: apt-get update failed $tries times; trying the install all the same" >&2
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  apt_retry env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" \
    || give_up "installing ${missing[*]} failed $tries times"
fi

# The Greek locale: under it Wine's ANSI code page is 1253 and the console's 737.
if ! locale -a 2>/dev/null | grep -qi '^el_GR\.utf-\?8$'; then
  need_root sed -i 's/^# *\(el_GR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^el_GR.UTF-8 UTF-8' /etc/locale.gen || echo 'el_GR.UTF-8 UTF-8' | need_root tee -a /etc/locale.gen >/dev/null
  need_root locale-gen el_GR.UTF-8
fi
echo "deps: ready"
