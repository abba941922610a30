#pragma once

#include "frames/FrameCatalogue.h"

#include <ostream>

namespace frames
{

// How GoogleTest names a frame in its messages: by its window.
inline void PrintTo(const FrameCatalogueRow& row, std::ostream* out)
{
    *out << row.window << " (" << row.width << " x " << row.height << ")";
}

} // namespace frames
