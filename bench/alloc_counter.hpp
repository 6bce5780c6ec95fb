// Counts what the program allocates through the global operator new, which
// alloc_counter.cpp replaces. Only the benchmark and soak binaries link it.
#pragma once

#include <cstdint>

namespace tarvinel::bench {

struct AllocStats {
    std::uint64_t allocations = 0;  // calls of operator new since the start
    std::int64_t liveBytes = 0;     // usable bytes held by operator new now
};

[[nodiscard]] AllocStats allocStats() noexcept;

}  // namespace tarvinel::bench
