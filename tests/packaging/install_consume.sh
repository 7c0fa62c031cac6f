#!/usr/bin/env bash
# Installs the built library into a temporary prefix, then builds and runs a small consumer
# twice: through find_package(Quintara) and through pkg-config.
set -euo pipefail
build_dir=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'libquintara.so' | head -n 1)")
test -L "$libdir/libquintara.so"
test -e "$libdir/libquintara.so.1"
test -e "$libdir/libquintara.so.1.18.2"
test -f "$libdir/pkgconfig/quintara.pc"

# 1. CMake package.
cmake -S "$source_dir/consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
out=$(cd "$work" && LD_LIBRARY_PATH="$libdir" "$work/cmake-build/consumer")
echo "$out"
grep -q "stock 1.18.2.0" <<<"$out"

# 2. pkg-config.
export PKG_CONFIG_PATH="$libdir/pkgconfig"
c++ -std=c++11 -Wall -Wextra -Wpedantic -Werror "$source_dir/consumer/main.cpp" -o "$work/pc-consumer" \
    $(pkg-config --cflags --libs quintara)
out=$(cd "$work" && LD_LIBRARY_PATH="$libdir" "$work/pc-consumer")
grep -q "market 1.18.2.0" <<<"$out"
echo "install and consume: ok"
