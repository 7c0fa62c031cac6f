#pragma once

#include <cstdint>

// Counts the heap allocations of the whole process (malloc, calloc, realloc, the aligned forms and
// everything built on them, such as operator new and zlib's default allocator). The benchmark
// binary replaces the C library's allocation functions with counting wrappers.
namespace AllocCounter {

uint64_t Count();

}  // namespace AllocCounter
