#include "platform/win32/Surface.h"

#include <algorithm>

namespace platform::win32
{

void Surface::PaintUnder(HWND child, HDC dc)
{
    POINT origin{0, 0};
    MapWindowPoints(child, SurfaceHandle(), &origin, 1);
    POINT before{};
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &before);
    PaintContent(dc);
    SetViewportOrgEx(dc, before.x, before.y, nullptr);
}

void Surface::Repaint(const RECT& area) const
{
    RedrawWindow(SurfaceHandle(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Surface::AddShape(const Win32Shape& shape)
{
    shapes_.push_back(&shape);
}

void Surface::RemoveShape(const Win32Shape& shape)
{
    shapes_.erase(std::remove(shapes_.begin(), shapes_.end(), &shape), shapes_.end());
}

void Surface::PaintShapes(HDC dc) const
{
    HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
    for (const Win32Shape* shape : shapes_)
        if (shape->Visible())
            FrameRect(dc, &shape->Area(), ink);
}

namespace
{
RECT ToRect(const PixelRect& r)
{
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}
} // namespace

Win32Shape::Win32Shape(Surface& surface, const PixelRect& bounds, bool visible)
    : surface_(surface), area_(ToRect(bounds)), visible_(visible)
{
    surface_.AddShape(*this);
    if (visible_)
        surface_.Repaint(area_);
}

Win32Shape::~Win32Shape()
{
    surface_.RemoveShape(*this);
    if (visible_)
        surface_.Repaint(area_);
}

void Win32Shape::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    surface_.Repaint(area_);
}

void Win32Shape::SetBounds(const PixelRect& bounds)
{
    const RECT before = area_;
    area_ = ToRect(bounds);
    if (visible_) {
        surface_.Repaint(before);
        surface_.Repaint(area_);
    }
}

} // namespace platform::win32
