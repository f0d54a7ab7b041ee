#pragma once

#include <cstddef>

// The benchmarks' own count of the memory in use: every operator new and
// delete of the benchmark program goes through it.
namespace tv::bench {

std::size_t BytesInUse();
std::size_t PeakBytes();
// The peak starts again from what is in use now.
void ResetPeak();

} // namespace tv::bench
