#include "platform/win32/ShapeRegion.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace platform::win32
{

namespace
{

// One row: the rectangles from `first` that share its top and bottom.
std::size_t RowEnd(const Region& region, std::size_t first)
{
    std::size_t end = first + 1;
    while (end < region.size() && region[end].top == region[first].top &&
           region[end].bottom == region[first].bottom)
        ++end;
    return end;
}

bool SameRuns(const Region& a, std::size_t aFirst, const Region& b, std::size_t bFirst,
              std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (a[aFirst + i].left != b[bFirst + i].left || a[aFirst + i].right != b[bFirst + i].right)
            return false;
    return true;
}

} // namespace

Region JoinEqualRows(const Region& region)
{
    Region joined;
    joined.reserve(region.size());
    std::size_t lastFirst = 0;
    std::size_t lastCount = 0;
    for (std::size_t first = 0; first < region.size();) {
        const std::size_t end = RowEnd(region, first);
        const std::size_t count = end - first;
        if (count == lastCount && joined[lastFirst].bottom == region[first].top &&
            SameRuns(joined, lastFirst, region, first, count)) {
            for (std::size_t i = 0; i < count; ++i)
                joined[lastFirst + i].bottom = region[first].bottom;
        } else {
            lastFirst = joined.size();
            lastCount = count;
            joined.insert(joined.end(), region.begin() + std::ptrdiff_t(first),
                          region.begin() + std::ptrdiff_t(end));
        }
        first = end;
    }
    return joined;
}

HRGN MakeRegion(const Region& rects, int dx, int dy)
{
    if (rects.size() > (std::size_t(INT_MAX) - sizeof(RGNDATAHEADER)) / sizeof(RECT))
        return nullptr;
    const std::size_t bytes = sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT);
    // RGNDATA wants the alignment of its header; a vector of the header type gives it.
    std::vector<RGNDATAHEADER> buffer((bytes + sizeof(RGNDATAHEADER) - 1) / sizeof(RGNDATAHEADER));
    RGNDATAHEADER& header = buffer.front();
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(rects.size());
    header.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    header.rcBound = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    auto* out = reinterpret_cast<RECT*>(&header + 1);
    for (const Rect& r : rects) {
        const RECT moved{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
        std::memcpy(out++, &moved, sizeof moved);
        header.rcBound.left = std::min(header.rcBound.left, moved.left);
        header.rcBound.top = std::min(header.rcBound.top, moved.top);
        header.rcBound.right = std::max(header.rcBound.right, moved.right);
        header.rcBound.bottom = std::max(header.rcBound.bottom, moved.bottom);
    }
    if (rects.empty())
        header.rcBound = {0, 0, 0, 0};
    return ExtCreateRegion(nullptr, DWORD(bytes), reinterpret_cast<const RGNDATA*>(&header));
}

} // namespace platform::win32
