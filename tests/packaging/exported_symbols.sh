#!/usr/bin/env bash
# Reads the dynamic symbol table of libquintara.so and fails on any exported symbol that is not
# part of the public interface: members, type info and virtual tables of the three API classes and
# the three event interfaces, and the diagnostic testClassDecompress(). It also fails when one of
# the factories or GetVersion is not exported, since an application could not link then.
set -euo pipefail

lib=${1:?usage: exported_symbols.sh path/to/libquintara.so}
[ -f "$lib" ] || { echo "no library at $lib (build the quintara target first)"; exit 1; }

# "address type name": keep the (demangled, possibly spaced) name only.
symbols=$(nm -D --defined-only -C "$lib" | sed -E 's/^[0-9a-fA-F]+ [A-Za-z] //')

classes='(CStockApi|CFutureApi|CMarketApi|IStockEvent|IFutureEvent|IMarketEvent)'
members="Quintara::$classes::.+"
tables="(typeinfo|typeinfo name|vtable) for Quintara::$classes"
public="^($members|$tables|testClassDecompress\\(\\))\$"
# Symbols the static linker defines in every shared object.
linker='^(_init|_fini|_edata|_end|__bss_start)$'

unexpected=$(grep -v -E "$public" <<<"$symbols" | grep -v -E "$linker" || true)
if [ -n "$unexpected" ]; then
    echo "libquintara.so exports symbols beyond the public API:"
    sed 's/^/  /' <<<"$unexpected"
    exit 1
fi

required=(
    'Quintara::CStockApi::CreateStockApi(bool, char const*, char const*)'
    'Quintara::CFutureApi::CreateFutureApi(bool, char const*, char const*)'
    'Quintara::CMarketApi::CreateMarketApi(bool, char const*)'
    'Quintara::CStockApi::GetVersion()'
    'Quintara::CFutureApi::GetVersion()'
    'Quintara::CMarketApi::GetVersion()'
)
missing=0
for name in "${required[@]}"; do
    if ! grep -q -x -F "$name" <<<"$symbols"; then
        echo "not exported: $name"
        missing=1
    fi
done
[ "$missing" -eq 0 ] || exit 1

echo "exported symbols ($(grep -c . <<<"$symbols")), all public:"
sed 's/^/  /' <<<"$symbols"
