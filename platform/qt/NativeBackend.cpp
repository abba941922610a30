#include "platform/NativeBackend.h"

#include "platform/qt/QtBackend.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace platform
{

namespace
{

bool Set(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

bool CanReachX11()
{
    int screen = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screen);
    const bool ok = c && !xcb_connection_has_error(c);
    if (c)
        xcb_disconnect(c);
    return ok;
}

} // namespace

std::unique_ptr<Backend> CreateNativeBackend(int& argc, char** argv, std::string& error)
{
    // Frames must stay on top and be placed where they are dragged, which a
    // Wayland client may not do: run through XWayland unless the user chose.
    if (!Set("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    const std::string_view platformName = std::getenv("QT_QPA_PLATFORM");
    if (platformName.substr(0, 3) == "xcb" && !CanReachX11()) {
        error = Set("DISPLAY") ? "cannot open the X display " + std::string(std::getenv("DISPLAY"))
                               : "no display: DISPLAY is not set";
        return nullptr;
    }
    return std::make_unique<qt::QtBackend>(argc, argv);
}

} // namespace platform
