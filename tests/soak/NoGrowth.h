#pragma once

#include "tests/soak/Footprint.h"

#include <string>

namespace soak
{

// Allocator noise: free lists and arenas that settle in pages, not bytes.
inline constexpr std::int64_t ResidentGrowthToleranceKiB = 512;
inline constexpr std::int64_t HeapGrowthToleranceBytes = 256 * 1024;

// Fails the current test when `after` holds more than `before`: any X resource
// or pixmap byte more, or memory beyond the tolerances above.
void ExpectNoGrowth(const Footprint& before, const Footprint& after);

// One line that says what ExpectNoGrowth allows, for the test's output.
std::string ToleranceNote();

} // namespace soak
