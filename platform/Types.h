#pragma once

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform
{

// Layout positions and sizes of controls, in pixels of the window's client
// area (the desktop's logical pixels).
struct PixelRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class MousePointer { Default = 0, Hourglass = 11, Custom = 99 };

enum class BorderStyle { None = 0, FixedSingle = 1, Sizable = 2 };

enum class ScaleMode { Twip = 1, Pixel = 3 };

enum class TextAlignment { Left, Centre };

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// What a mouse press on a control tells its handler: the button, the modifier
// keys (1 shift, 2 control, 4 alt) and the position in the control's scale units.
struct MouseEventArgs {
    MouseButton button = MouseButton::Left;
    int shift = 0;
    float x = 0;
    float y = 0;
};

// A pointer image: 32 bits per pixel with alpha, top-down.
struct CursorImage {
    Bitmap image;
    std::int32_t hotX = 0;
    std::int32_t hotY = 0;
};

// The primary screen as the forms run time reports it: its size in twips and
// how many twips make one of its pixels.
struct ScreenMetrics {
    float widthTwips = 0;
    float heightTwips = 0;
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
};

// A window as the window system knows it; only used to name an owner.
struct WindowHandle {
    std::uintptr_t value = 0;
    friend bool operator==(const WindowHandle&, const WindowHandle&) = default;
};

// Show commands of the shell's open request.
inline constexpr int ShowNormal = 1;

// One request to the shell to open a document or URL, with everything the
// caller passes; a backend uses what its window system understands.
struct ShellExecuteRequest {
    WindowHandle owner;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = ShowNormal;
};

} // namespace platform
