#!/usr/bin/env bash
# Cross-builds libpng for Windows from Debian's source package into build/deps/libpng-mingw.
# The source comes through a private apt configuration in the build tree with deb-src
# enabled there only; the system's apt sources are never touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"
prefix="$deps/libpng-mingw"
# Rebuilt when the way it is configured changes.
config="read-only, -Os, function sections"
[ -f "$prefix/lib/libpng16.a" ] && [ "$(cat "$prefix/config" 2>/dev/null)" = "$config" ] && exit 0

echo "setup: cross-building libpng for Windows"
apt="$deps/apt"
rm -rf "$apt" "$deps/libpng-src"
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$deps/libpng-src"

# deb-src twins of the system's own Debian sources (one-line or deb822 form).
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' "$f" >> "$apt/sources.list.d/src.list"
done
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  grep -qi 'debian' "$f" || continue
  sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt/sources.list.d/$(basename "$f")"
done
opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
      -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
      -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=" -o "APT::Sandbox::User=root")
apt-get "${opts[@]}" update -qq

# The newest source version can be missing on the mirror: try each listed one.
cd "$deps/libpng-src"
versions=$(apt-cache "${opts[@]}" showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -rV | uniq)
got=
for v in $versions; do
  if apt-get "${opts[@]}" source -qq --download-only "libpng1.6=$v" >/dev/null 2>&1; then
    got=$v
    break
  fi
  rm -f ./*.dsc ./*.tar.* 2>/dev/null || true
done
[ -n "$got" ] || { echo "setup: no libpng1.6 source version could be fetched" >&2; exit 1; }
echo "setup: libpng1.6 $got"
dpkg-source -x --no-check ./*.dsc src >/dev/null

cd src
./configure -q --host=x86_64-w64-mingw32 --disable-shared --enable-static \
  CC=x86_64-w64-mingw32-gcc-posix CFLAGS="-Os -ffunction-sections -fdata-sections" \
  CPPFLAGS=-I/usr/x86_64-w64-mingw32/include LDFLAGS=-L/usr/x86_64-w64-mingw32/lib \
  >/dev/null 2>&1
make -s -j"$(nproc)" DFA_XTRA="$root/scripts/libpng-read-only.dfa" libpng16.la >/dev/null 2>&1
rm -rf "$prefix"
mkdir -p "$prefix/lib" "$prefix/include"
cp .libs/libpng16.a "$prefix/lib/"
cp png.h pngconf.h pnglibconf.h "$prefix/include/"
echo "$config" >"$prefix/config"
