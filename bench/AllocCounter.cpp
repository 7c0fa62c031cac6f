#include "AllocCounter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>

// The C library's own entry points: the wrappers below count and forward to them.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* ptr, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* ptr);
}

namespace {

std::atomic<uint64_t> g_allocations{0};

void Counted() {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

uint64_t AllocCounter::Count() {
    return g_allocations.load(std::memory_order_relaxed);
}

extern "C" {

void* malloc(size_t size) {
    Counted();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    Counted();
    return __libc_calloc(count, size);
}

void* realloc(void* ptr, size_t size) {
    Counted();
    return __libc_realloc(ptr, size);
}

void free(void* ptr) {
    __libc_free(ptr);
}

void* memalign(size_t alignment, size_t size) {
    Counted();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
    Counted();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
    Counted();
    void* p = __libc_memalign(alignment, size);
    if (p == nullptr) return ENOMEM;
    *out = p;
    return 0;
}

}  // extern "C"
