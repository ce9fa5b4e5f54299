#!/usr/bin/env bash
# Installs what building and testing VelmPres needs on a Debian 12 machine: the MinGW-w64 cross
# compiler, 32-bit Wine, Xvfb, the Greek locale, and the source entries that `apt-get source`
# needs for the JPEG library. Safe to run again: it only installs what is missing.
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi; }

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 nasm dpkg-dev
  wine wine32 xvfb xauth x11-utils imagemagick
  locales python3 python3-pil file
)

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

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_root dpkg --add-architecture i386
  src_changed=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $src_changed -eq 1 ] || [ ! -d /var/lib/apt/lists ] \
   || [ -z "$(ls /var/lib/apt/lists/*Sources* 2>/dev/null)" ]; then
  need_root apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  need_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The Greek locale: under it Wine's ANSI code page is 1253 and the console's 737.
if ! locale -a 2>/dev/null | grep -qi '^el_GR\.utf-\?8$'; then
  need_root sed -i 's/^# *\(el_GR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^el_GR.UTF-8 UTF-8' /etc/locale.gen || echo 'el_GR.UTF-8 UTF-8' | need_root tee -a /etc/locale.gen >/dev/null
  need_root locale-gen el_GR.UTF-8
fi
echo "deps: ready"
