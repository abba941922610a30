#include "tests/soak/Footprint.h"

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <set>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define RB_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RB_SOAK_ASAN 1
#endif
#endif

#if defined(RB_SOAK_ASAN)
// The sanitizer runtime's own count; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace soak
{

namespace
{

std::int64_t ResidentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long long sizePages = 0;
    long long residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

std::int64_t HeapInUseBytes()
{
#if defined(RB_SOAK_ASAN)
    return std::int64_t(__sanitizer_get_current_allocated_bytes());
#else
    // Small blocks from the arenas plus the large ones mapped on their own.
    const struct mallinfo2 info = mallinfo2();
    return std::int64_t(info.uordblks + info.hblkhd);
#endif
}

std::string AtomName(Display* display, Atom atom)
{
    char* name = XGetAtomName(display, atom);
    std::string result = name ? name : "atom " + std::to_string(atom);
    if (name)
        XFree(name);
    return result;
}

} // namespace

Footprint MeasureFootprint(Display* display, unsigned long anyResourceOfTheClient)
{
    Footprint result;
    result.residentKiB = ResidentKiB();
    result.heapInUseBytes = HeapInUseBytes();

    int typeCount = 0;
    XResType* types = nullptr;
    if (XResQueryClientResources(display, anyResourceOfTheClient, &typeCount, &types)) {
        for (int i = 0; i < typeCount; ++i)
            result.xResources[AtomName(display, types[i].resource_type)] = long(types[i].count);
        XFree(types);
    }
    unsigned long pixmapBytes = 0;
    if (XResQueryClientPixmapBytes(display, anyResourceOfTheClient, &pixmapBytes))
        result.xPixmapBytes = std::int64_t(pixmapBytes);
    return result;
}

bool ResidentSetIsMeaningful()
{
#if defined(RB_SOAK_ASAN)
    return false;
#else
    return true;
#endif
}

std::string Compare(const Footprint& before, const Footprint& after)
{
    std::string text;
    const auto line = [&text](const std::string& what, long long a, long long b) {
        char buffer[160];
        std::snprintf(buffer, sizeof buffer, "  %-26s %12lld -> %12lld  (%+lld)\n", what.c_str(), a,
                      b, b - a);
        text += buffer;
    };
    line("resident memory, KiB", before.residentKiB, after.residentKiB);
    line("heap in use, bytes", before.heapInUseBytes, after.heapInUseBytes);
    line("X pixmap bytes", before.xPixmapBytes, after.xPixmapBytes);
    std::set<std::string> names;
    for (const auto& [name, count] : before.xResources)
        names.insert(name);
    for (const auto& [name, count] : after.xResources)
        names.insert(name);
    for (const std::string& name : names) {
        const auto a = before.xResources.find(name);
        const auto b = after.xResources.find(name);
        line("X " + name, a == before.xResources.end() ? 0 : a->second,
             b == after.xResources.end() ? 0 : b->second);
    }
    return text;
}

} // namespace soak
