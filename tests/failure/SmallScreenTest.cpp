// The largest frame on a screen smaller than itself: it keeps its size and
// shape, and its band can still be taken to bring each edge onto the screen.

#include "app/Windows.h"
#include "frames/FrameCatalogue.h"
#include "frames/FrameWindow.h"
#include "platform/Runtime.h"
#include "tests/failure/ScreenRectPrinter.h"
#include "tests/gui/GuiEnvironment.h"
#include "tests/support/X11Probe.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <optional>

namespace
{

using testing_support::ScreenRect;
using testing_support::Settle;
using testing_support::WaitUntil;
using testing_support::X11Probe;

constexpr int Margin = 40;

bool Inside(const std::vector<platform::Rect>& shape, int x, int y)
{
    for (const auto& r : shape)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

struct Point {
    int x;
    int y;
};

class SmallScreen : public ::testing::Test
{
protected:
    SmallScreen() { app::RegisterWindows(runtime); }
    ~SmallScreen() override { Settle(100); }

    static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }

    // A pixel of the band that is on the screen, from which the pointer can
    // travel (dx, dy) without leaving the screen; none if there is no such pixel.
    std::optional<Point> GripFor(const ScreenRect& at, int dx, int dy) const
    {
        const QRect screen = Screen();
        for (int y = at.y; y < at.y + at.height; y += 3)
            for (int x = at.x; x < at.x + at.width; x += 3) {
                if (!screen.contains(x, y) || !screen.contains(x + dx, y + dy))
                    continue;
                if (Inside(shape, x - at.x, y - at.y))
                    return Point{x, y};
            }
        return std::nullopt;
    }

    // Drags the frame by its band so that its top-left corner ends at (x, y).
    ::testing::AssertionResult DragTo(std::uintptr_t id, int x, int y)
    {
        const ScreenRect at = probe.Geometry(id);
        const int dx = x - at.x;
        const int dy = y - at.y;
        const std::optional<Point> grip = GripFor(at, dx, dy);
        if (!grip)
            return ::testing::AssertionFailure() << "no pixel of the band on the screen to drag by";
        probe.MoveTo(grip->x, grip->y);
        Settle(150);
        probe.Press();
        Settle(150);
        const int steps = 8;
        for (int i = 1; i <= steps; ++i) {
            probe.MoveTo(grip->x + dx * i / steps, grip->y + dy * i / steps);
            Settle(60);
        }
        Settle(150);
        probe.Release();
        Settle(300);
        return ::testing::AssertionSuccess();
    }

    std::vector<platform::Rect> shape;
    X11Probe probe;
    platform::Runtime runtime{*gui_tests::NativeBackend};
};

TEST_F(SmallScreen, TheLargestFrameKeepsItsSizeAndShapeAndEachEdgeCanBeDraggedOntoTheScreen)
{
    ASSERT_TRUE(probe.WindowManagerRunning());
    const frames::FrameCatalogueRow& row = frames::FrameCatalogue[5];
    ASSERT_LT(Screen().width(), row.width);
    ASSERT_LT(Screen().height(), row.height);
    auto& frame = static_cast<frames::FrameWindow&>(runtime.Named(row.window));
    frame.Load();
    frame.Show();
    const std::uintptr_t id = frame.hWnd().value;
    ASSERT_TRUE(WaitUntil([&] { return probe.Viewable(id); }));
    Settle(500);

    // Exactly its size, not cut down to the screen; centred across, and its
    // top band on the screen, since centred it would be out of reach.
    const ScreenRect shown = probe.Geometry(id);
    EXPECT_EQ(shown.width, row.width);
    EXPECT_EQ(shown.height, row.height);
    EXPECT_EQ(shown.x, Screen().x() + (Screen().width() - row.width) / 2);
    EXPECT_EQ(shown.y, Screen().y());

    // The band stays, the inside and the top-left pixel are cut away.
    shape = probe.BoundingShape(id);
    const auto& band = row.band;
    const int w = row.width;
    const int h = row.height;
    for (const Point in :
         {Point{w / 2, band.top / 2}, Point{w / 2, h - 1 - band.bottom / 2},
          Point{band.left / 2, h / 2}, Point{w - 1 - band.right / 2, h / 2}, Point{w - 1, h - 1}})
        EXPECT_TRUE(Inside(shape, in.x, in.y)) << in.x << "," << in.y;
    for (const Point out : {Point{0, 0}, Point{w / 2, h / 2}, Point{band.left, band.top},
                            Point{w - 1 - band.right, h - 1 - band.bottom}})
        EXPECT_FALSE(Inside(shape, out.x, out.y)) << out.x << "," << out.y;

    // One edge after the other: where the frame's corner is taken, and the
    // band that must then lie on the screen in full.
    const QRect screen = Screen();
    const int left = screen.left() + Margin;
    const int top = screen.top() + Margin;
    const int right = screen.right() + 1 - Margin - w;
    const int bottom = screen.bottom() + 1 - Margin - h;
    const struct {
        const char* edge;
        int x;
        int y;
        QRect band; // in the frame's own pixels
    } steps[] = {
        {"left", left, shown.y, QRect(0, 0, band.left, h)},
        {"top", left, top, QRect(0, 0, w, band.top)},
        {"right", right, top, QRect(w - band.right, 0, band.right, h)},
        {"bottom", right, bottom, QRect(0, h - band.bottom, w, band.bottom)},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.edge);
        ASSERT_TRUE(DragTo(id, step.x, step.y));
        const ScreenRect at = probe.Geometry(id);
        EXPECT_EQ(at.width, w);
        EXPECT_EQ(at.height, h);
        const QRect onScreen = step.band.translated(at.x, at.y);
        const bool across = step.band.width() < step.band.height();
        if (across)
            EXPECT_TRUE(onScreen.left() >= screen.left() && onScreen.right() <= screen.right())
                << "frame at " << ::testing::PrintToString(at);
        else
            EXPECT_TRUE(onScreen.top() >= screen.top() && onScreen.bottom() <= screen.bottom())
                << "frame at " << ::testing::PrintToString(at);
    }
}

} // namespace
