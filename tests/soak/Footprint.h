#pragma once

// What a long run of the program holds at one moment: its memory and what the
// X server keeps for it. Two footprints of the same state compare equal when
// nothing leaks.

#include <cstdint>
#include <map>
#include <string>

struct _XDisplay;

namespace soak
{

struct Footprint {
    // Resident set of this process, from /proc/self/statm.
    std::int64_t residentKiB = 0;
    // Bytes the allocator has handed out and not had back.
    std::int64_t heapInUseBytes = 0;
    // The client's X resources by type name (WINDOW, PIXMAP, GC, ...), as the
    // X-Resource extension counts them.
    std::map<std::string, long> xResources;
    // What the client's pixmaps take in the server.
    std::int64_t xPixmapBytes = 0;
};

// Measures this process, whose X connection owns `anyResourceOfTheClient`;
// `display` is any connection to the same server that has X-Resource.
Footprint MeasureFootprint(_XDisplay* display, unsigned long anyResourceOfTheClient);

// The resident set is not asserted under AddressSanitizer: its quarantine and
// shadow memory grow it without a leak. The heap count is exact there.
bool ResidentSetIsMeaningful();

// Two footprints side by side, one line per figure, with the change.
std::string Compare(const Footprint& before, const Footprint& after);

} // namespace soak
