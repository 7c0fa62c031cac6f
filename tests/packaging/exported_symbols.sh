#!/usr/bin/env bash
# Fails when libquintara.so exports a symbol of its own that is not the public API.
set -euo pipefail
lib=$1
symbols=$(nm -D --defined-only -C "$lib" | awk '{ $1=""; $2=""; sub(/^  /, ""); print }')
bad=$(grep -v -E '^(Quintara::|typeinfo (name )?for Quintara::|vtable for Quintara::|testClassDecompress\(\)$)' \
      <<<"$symbols" | grep -v -E '^(_init|_fini|_edata|_end|__bss_start)$' || true)
count=$(grep -c -E '^(Quintara::|testClassDecompress)' <<<"$symbols" || true)
if [ -n "$bad" ]; then
    echo "symbols exported beyond the public API:"
    echo "$bad"
    exit 1
fi
if [ "$count" -lt 7 ]; then
    echo "the public API is missing from the exported symbols:"
    echo "$symbols"
    exit 1
fi
echo "exported symbols: $count, all public"
