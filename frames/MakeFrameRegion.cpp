#include "frames/MakeFrameRegion.h"

#include "frames/RunScan.h"
#include "platform/PictureBox.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace frames
{

std::optional<platform::Region> MakeFrameRegion(const platform::PictureBox& picture)
{
    const platform::Bitmap& surface = picture.Surface();
    const std::int32_t width = platform::RoundToInt32(double(picture.ScaleWidth()));
    const std::int32_t height = platform::RoundToInt32(double(picture.ScaleHeight()));

    // The box may be larger than its picture; nothing beyond the picture is read.
    PixelGrid grid = GridOf(surface);
    grid.width = std::clamp(width, 0, grid.width);
    grid.height = std::clamp(height, 0, grid.height);

    platform::Region region = ScanRuns(grid);
    if (region.empty())
        return std::nullopt;
    return region;
}

} // namespace frames
