#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, once, into a cache outside the
# work tree. The version is the one Debian 12 ships for Linux, so both builds use the same toolkit.
# Usage: build-toolkit.sh PREFIX   (PREFIX/.complete marks a finished build and names the
# recipe it was built by: this script and the toolchain file; a changed recipe builds anew)
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
jobs=${JOBS:-$(nproc)}

recipe=$(cat "$here/build-toolkit.sh" "$here/mingw-w64.cmake" | sha256sum | cut -d' ' -f1)
if [ "$(cat "$prefix/.complete" 2>/dev/null)" = "$recipe" ]; then
  exit 0
fi
cache=$(dirname "$prefix")
work="$cache/work"
rm -rf "$work" "$prefix"
mkdir -p "$work"

# Debian's source package, with Debian's patches applied; a deb-src entry is added if none is set.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  echo "Adding deb-src entries for Debian's source packages"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $sudo tee /etc/apt/sources.list.d/orvantide-deb-src.sources >/dev/null
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
      $sudo tee /etc/apt/sources.list.d/orvantide-deb-src.list >/dev/null
  fi
  $sudo apt-get update -q
fi
(cd "$work" && apt-get source -q qt6-base)
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

host_cmake=/usr/lib/$(gcc -dumpmachine)/cmake  # Debian's own Qt, whose tools the build runs

# No path of this machine goes into the DLLs: the toolkit's sources name their own files.
no_paths="-fmacro-prefix-map=$src/="
cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_C_FLAGS="$no_paths" -DCMAKE_CXX_FLAGS="$no_paths" \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
  -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_opengl=ON \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_doubleconversion=OFF \
  -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_printsupport=ON -DFEATURE_testlib=ON
# The toolkit's own sources warn by the thousand with this compiler: the log stays in the cache.
log="$cache/toolkit-build.log"
echo "Building Qt for Windows with $jobs jobs (about 15 minutes on 8 cores); log: $log"
if ! cmake --build "$work/build" -j "$jobs" >"$log" 2>&1; then
  grep -B2 -A8 -m 5 'error' "$log" || tail -n 50 "$log"
  exit 1
fi
cmake --install "$work/build" >>"$log"
rm -rf "$work"
echo "$recipe" >"$prefix/.complete"
