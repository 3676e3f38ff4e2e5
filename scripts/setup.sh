#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12, idempotently: Debian
# packages, the zh_CN.UTF-8 locale, libpng cross-built for Windows, and the Wine prefix.
# A second run only checks and takes seconds. Runs as root, or through sudo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
  cmake ninja-build g++ googletest libgtest-dev libpng-dev zlib1g-dev pkg-config
  clang libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64 xvfb xdotool x11-utils imagemagick
  locales fonts-wqy-microhei fonts-wqy-zenhei
  dpkg-dev xz-utils python3 libbenchmark-dev libx11-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine shows the program's Chinese texts only under a Chinese locale (ANSI code page 936).
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

"$root/scripts/build-libpng.sh"
"$root/scripts/wine-prefix.sh"
