#!/usr/bin/env bash
# Brings a Debian 12 machine (as root) to everything the build and the three test tiers need.
# Idempotent: when every package and the minizip sources are already there it only checks and returns.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
deps=${RADURE_DEPS:-/opt/radure-deps}

packages=(
  cmake ninja-build g++ python3 clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  libz-mingw-w64-dev zlib1g-dev libminizip-dev googletest libgtest-dev
  wine wine64 wine32:i386
  xvfb xauth xdotool imagemagick x11-utils curl
  locales fonts-wqy-zenhei fonts-liberation
  dpkg-dev
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# minizip's sources come from its Debian source package, which needs deb-src entries.
has_deb_src() { grep -rqs -E '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; }
enable_deb_src() {
  has_deb_src && return 0
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    as_root sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | as_root tee /etc/apt/sources.list.d/radure-src.list >/dev/null
  fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  enable_deb_src
  as_root apt-get update -q
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine's text must render Chinese; the tests run it under zh_CN.UTF-8 (ANSI code page 936).
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

# minizip's unzip.c and ioapi.c for the cross build, never committed to the repository.
if [ ! -f "$deps/minizip/unzip.c" ]; then
  if ! has_deb_src; then
    enable_deb_src
    as_root apt-get update -q
  fi
  tmp=$(mktemp -d)
  (cd "$tmp" && apt-get source -q --download-only minizip >/dev/null && dpkg-source -x --no-check ./*.dsc src >/dev/null)
  as_root mkdir -p "$deps/minizip"
  as_root cp "$tmp"/src/{unzip.c,unzip.h,ioapi.c,ioapi.h,crypt.h,zip.c,zip.h} "$deps/minizip/"
  rm -rf "$tmp"
fi

echo "setup: ready (minizip sources in $deps/minizip)"
