#include "app/Windows.h"

#include "app/Start.h"
#include "frames/FrameCatalogue.h"
#include "frames/FrameWindow.h"
#include "platform/Runtime.h"

namespace app
{

void RegisterWindows(platform::Runtime& runtime)
{
    runtime.Register("Start", [] { return std::make_unique<Start>(); });
    for (const frames::FrameCatalogueRow& row : frames::FrameCatalogue)
        runtime.Register(std::string(row.window),
                         [&row] { return std::make_unique<frames::FrameWindow>(row); });
}

} // namespace app
