#pragma once

#include "platform/Peers.h"
#include "platform/win32/Win32.h"

#include <vector>

namespace platform::win32
{

class Win32Shape;

// What controls lie on: a window's client area or a picture box. A surface
// paints its own content (back colour, picture) and the rectangles drawn on
// it, which lie below every control on it; it paints that content again under
// a control that has no background of its own (a transparent label).
class Surface
{
public:
    virtual HWND SurfaceHandle() const = 0;

    // Paints what lies beneath `child`, one of this surface's children, into
    // a device context of the child.
    void PaintUnder(HWND child, HDC dc);
    // Paints `area` (in client coordinates) anew, the controls over it too.
    void Repaint(const RECT& area) const;

    void AddShape(const Win32Shape& shape);
    void RemoveShape(const Win32Shape& shape);

protected:
    Surface() = default;
    ~Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // The content, in client coordinates, with the rectangles on it.
    virtual void PaintContent(HDC dc) = 0;
    void PaintShapes(HDC dc) const;

private:
    std::vector<const Win32Shape*> shapes_;
};

// A rectangle: a one-pixel outline in the window-text colour, drawn by its
// surface. It is no window, so it takes no input and lies below the controls.
class Win32Shape final : public ShapePeer
{
public:
    Win32Shape(Surface& surface, const PixelRect& bounds, bool visible);
    ~Win32Shape() override;
    Win32Shape(const Win32Shape&) = delete;
    Win32Shape& operator=(const Win32Shape&) = delete;

    void SetVisible(bool visible) override;
    void SetBounds(const PixelRect& bounds) override;

    bool Visible() const { return visible_; }
    const RECT& Area() const { return area_; }

private:
    Surface& surface_;
    RECT area_;
    bool visible_;
};

} // namespace platform::win32
