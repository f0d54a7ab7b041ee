#include "BenchMemory.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace tv::bench {
namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};

void* Allocate(std::size_t size) {
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (!memory)
        throw std::bad_alloc();
    const std::size_t now = inUse += malloc_usable_size(memory);
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return memory;
}

void Release(void* memory) {
    if (!memory)
        return;
    inUse -= malloc_usable_size(memory);
    std::free(memory);
}

} // namespace

std::size_t BytesInUse() {
    return inUse;
}

std::size_t PeakBytes() {
    return peak;
}

void ResetPeak() {
    peak = inUse.load();
}

} // namespace tv::bench

void* operator new(std::size_t size) {
    return tv::bench::Allocate(size);
}
void* operator new[](std::size_t size) {
    return tv::bench::Allocate(size);
}
void operator delete(void* memory) noexcept {
    tv::bench::Release(memory);
}
void operator delete[](void* memory) noexcept {
    tv::bench::Release(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    tv::bench::Release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    tv::bench::Release(memory);
}
