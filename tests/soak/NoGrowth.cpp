#include "tests/soak/NoGrowth.h"

#include <gtest/gtest.h>

namespace soak
{

void ExpectNoGrowth(const Footprint& before, const Footprint& after)
{
    // An empty list would make every comparison below pass.
    EXPECT_FALSE(after.xResources.empty()) << "the X-Resource extension answered nothing";
    EXPECT_GT(after.xResources.count("WINDOW"), 0u);

    // The X server's books must balance exactly: every window, pixmap, GC,
    // region or cursor made per show or per paint is freed again.
    EXPECT_EQ(after.xResources, before.xResources);
    EXPECT_EQ(after.xPixmapBytes, before.xPixmapBytes);

    EXPECT_LE(after.heapInUseBytes - before.heapInUseBytes, HeapGrowthToleranceBytes);
    if (ResidentSetIsMeaningful()) {
        EXPECT_LE(after.residentKiB - before.residentKiB, ResidentGrowthToleranceKiB);
    }
}

std::string ToleranceNote()
{
    std::string note = "  allowed growth: X resources and pixmap bytes 0, heap " +
                       std::to_string(HeapGrowthToleranceBytes / 1024) + " KiB, resident memory ";
    note += ResidentSetIsMeaningful()
                ? std::to_string(ResidentGrowthToleranceKiB) + " KiB\n"
                : "not checked (AddressSanitizer's quarantine keeps freed blocks resident)\n";
    return note;
}

} // namespace soak
