#!/usr/bin/env bash
# Installs the built tree into a temporary prefix, checks the installed layout, then builds and runs
# a small C++11 consumer against that prefix twice: through find_package(Quintara) and through
# pkg-config. Both runs must print the library version.
#
# usage: install_consume.sh BUILD_DIR SOURCE_DIR CXX_COMPILER CMAKE_GENERATOR
set -euo pipefail

build_dir=$1
source_dir=$2
cxx=${3:-c++}
generator=${4:-Ninja}
version=1.18.2.0

work=$(mktemp -d "${TMPDIR:-/tmp}/quintara-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

step() { echo "-- $*"; }

step "install into $prefix"
cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }

lib=$(find "$prefix" -name 'libquintara.so' -print -quit)
[ -n "$lib" ] || { echo "libquintara.so not installed"; exit 1; }
libdir=$(dirname "$lib")
for f in libquintara.so libquintara.so.1 libquintara.so.1.18.2; do
    [ -e "$libdir/$f" ] || { echo "missing $libdir/$f"; exit 1; }
done
if [ ! -L "$libdir/libquintara.so" ] || [ ! -L "$libdir/libquintara.so.1" ]; then
    echo "libquintara.so and libquintara.so.1 are not symbolic links"
    exit 1
fi
soname=$(readelf -d "$libdir/libquintara.so.1.18.2" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[ "$soname" = libquintara.so.1 ] || { echo "SONAME is '$soname', expected libquintara.so.1"; exit 1; }
[ -f "$prefix/include/QuintaraApi.h" ] || { echo "public header not installed"; exit 1; }
for h in "$source_dir"/../../include/*.h; do
    [ -f "$prefix/include/$(basename "$h")" ] || { echo "header $(basename "$h") not installed"; exit 1; }
done
[ -f "$libdir/cmake/Quintara/QuintaraConfig.cmake" ] || { echo "CMake package not installed"; exit 1; }
[ -f "$libdir/pkgconfig/quintara.pc" ] || { echo "quintara.pc not installed"; exit 1; }

# The consumer runs in its own folder so anything it writes stays in the temporary tree.
run_consumer() {
    local exe=$1 out
    mkdir -p "$work/run"
    out=$(cd "$work/run" && LD_LIBRARY_PATH="$libdir" "$exe")
    echo "$out"
    for kind in stock future market; do
        grep -q -x "$kind $version" <<<"$out" || { echo "no '$kind $version' line from $exe"; exit 1; }
    done
    local resolved
    resolved=$(LD_LIBRARY_PATH="$libdir" ldd "$exe" | awk '$1 == "libquintara.so.1" { print $3 }')
    if [ "$resolved" != "$libdir/libquintara.so.1" ]; then
        echo "$exe loads libquintara from '$resolved'"
        exit 1
    fi
}

step "consumer through find_package(Quintara)"
cmake -S "$source_dir/consumer" -B "$work/cmake-build" -G "$generator" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$work/configure.log" \
    || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/cmake-build" >"$work/build.log" || { cat "$work/build.log"; exit 1; }
run_consumer "$work/cmake-build/consumer"

step "consumer through pkg-config"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
pc_version=$(pkg-config --modversion quintara)
[ "$pc_version" = 1.18.2 ] || { echo "pkg-config reports version '$pc_version'"; exit 1; }
# shellcheck disable=SC2046  # the flags are meant to split
"$cxx" -std=c++11 -Wall -Wextra -Werror -pedantic "$source_dir/consumer/main.cpp" -o "$work/pc-consumer" \
    $(pkg-config --cflags --libs quintara)
run_consumer "$work/pc-consumer"

echo "install and consume: ok"
