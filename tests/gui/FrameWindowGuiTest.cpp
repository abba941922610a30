// The six frame windows on a real X server with a window manager: size,
// shape, staying on top, a press through the inside, the drag by the band.

#include "app/Windows.h"
#include "assets/FrameArt.h"
#include "frames/FrameCatalogue.h"
#include "frames/FrameWindow.h"
#include "frames/RunScan.h"
#include "platform/Runtime.h"
#include "tests/gui/GuiEnvironment.h"
#include "tests/support/X11Probe.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>

namespace
{

using testing_support::ScreenRect;
using testing_support::Settle;
using testing_support::WaitUntil;
using testing_support::X11Probe;

// A shape as runs per row, so that two lists of rectangles that cover the same
// pixels compare equal however the X server banded them.
using RowRuns = std::map<int, std::vector<std::pair<int, int>>>;

RowRuns RunsOf(const std::vector<platform::Rect>& rects)
{
    std::map<int, std::vector<std::pair<int, int>>> rows;
    for (const auto& r : rects)
        for (int y = r.top; y < r.bottom; ++y)
            rows[y].emplace_back(r.left, r.right);
    for (auto& [y, runs] : rows) {
        std::sort(runs.begin(), runs.end());
        std::vector<std::pair<int, int>> merged;
        for (const auto& run : runs) {
            if (!merged.empty() && merged.back().second == run.first)
                merged.back().second = run.second;
            else
                merged.push_back(run);
        }
        runs = merged;
    }
    return rows;
}

std::vector<platform::Rect> Scaled(std::vector<platform::Rect> rects, int factor)
{
    for (auto& r : rects)
        r = {r.left * factor, r.top * factor, r.right * factor, r.bottom * factor};
    return rects;
}

// A normal window under the frames that counts the presses it receives.
class Beneath : public QWidget
{
public:
    Beneath()
    {
        setWindowTitle("beneath");
        setGeometry(QGuiApplication::primaryScreen()->geometry());
    }
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class FrameWindowGui : public ::testing::Test
{
protected:
    FrameWindowGui() { app::RegisterWindows(runtime); }
    ~FrameWindowGui() override { Settle(100); }

    frames::FrameWindow& Frame(std::string_view name)
    {
        return static_cast<frames::FrameWindow&>(runtime.Named(name));
    }
    static int Ratio() { return int(QGuiApplication::primaryScreen()->devicePixelRatio()); }
    static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }

    // Shows the frame and waits until the window manager has mapped it.
    std::uintptr_t ShowAndWait(frames::FrameWindow& frame)
    {
        frame.Show();
        const std::uintptr_t id = frame.hWnd().value;
        EXPECT_TRUE(WaitUntil([&] {
            return probe.Viewable(id) && (!probe.WindowManagerRunning() || IsStacked(id));
        }));
        Settle(150);
        return id;
    }
    bool IsStacked(std::uintptr_t id) const
    {
        for (auto w : probe.Stacking())
            if (w == id)
                return true;
        return false;
    }
    void Drag(int fromX, int fromY, int dx, int dy)
    {
        probe.MoveTo(fromX, fromY);
        Settle(150);
        probe.Press();
        Settle(150);
        const int steps = 5;
        for (int i = 1; i <= steps; ++i) {
            probe.MoveTo(fromX + dx * i / steps, fromY + dy * i / steps);
            Settle(60);
        }
        Settle(150);
        probe.Release();
        Settle(250);
    }

    X11Probe probe;
    platform::Runtime runtime{*gui_tests::NativeBackend};
};

TEST_F(FrameWindowGui, EachFrameShownHasItsSizeItsBandAsShapeAndStaysOnTopCentred)
{
    ASSERT_TRUE(probe.Connected());
    ASSERT_TRUE(probe.WindowManagerRunning());
    const int ratio = Ratio();
    for (const frames::FrameCatalogueRow& row : frames::FrameCatalogue) {
        SCOPED_TRACE(row.window);
        frames::FrameWindow& frame = Frame(row.window);
        frame.Load();
        const std::uintptr_t id = ShowAndWait(frame);

        const ScreenRect geometry = probe.Geometry(id);
        EXPECT_EQ(geometry.width, row.width * ratio);
        EXPECT_EQ(geometry.height, row.height * ratio);
        EXPECT_EQ(geometry.x, (Screen().width() - row.width) / 2 * ratio);
        // Taller than the screen (the larger frames at scale 2): the top band stays on it.
        EXPECT_EQ(geometry.y, std::max(0, (Screen().height() - row.height) / 2) * ratio);

        const platform::Bitmap art = assets::MakeFrameArt(row.width, row.height, row.band);
        const auto expected = Scaled(frames::ScanRuns(frames::GridOf(art)), ratio);
        EXPECT_TRUE(RunsOf(probe.BoundingShape(id)) == RunsOf(expected));

        EXPECT_TRUE(probe.HasState(id, "_NET_WM_STATE_ABOVE"));
        EXPECT_TRUE(probe.HasState(id, "_NET_WM_STATE_SKIP_TASKBAR"));
        frame.Hide();
    }
}

TEST_F(FrameWindowGui, RightAfterLoadingAFrameIsShapedAndOnTopBeforeItWasEverShown)
{
    const frames::FrameCatalogueRow& row = frames::FrameCatalogue[0];
    frames::FrameWindow& frame = Frame(row.window);
    frame.Load();
    Settle(100);
    const std::uintptr_t id = frame.hWnd().value;
    ASSERT_NE(id, 0u);
    EXPECT_FALSE(IsStacked(id));
    const platform::Bitmap art = assets::MakeFrameArt(row.width, row.height, row.band);
    EXPECT_TRUE(RunsOf(probe.BoundingShape(id)) ==
                RunsOf(Scaled(frames::ScanRuns(frames::GridOf(art)), Ratio())));
    EXPECT_TRUE(probe.HasState(id, "_NET_WM_STATE_ABOVE"));
    EXPECT_TRUE(probe.HasState(id, "_NET_WM_STATE_SKIP_TASKBAR"));
}

TEST_F(FrameWindowGui, APressInTheInsideReachesTheWindowBeneathAndOneOnTheBandDoesNot)
{
    Beneath beneath;
    beneath.show();
    ASSERT_TRUE(WaitUntil([&] { return IsStacked(beneath.winId()); }));
    Settle(200);
    frames::FrameWindow& frame = Frame("Form1");
    const ScreenRect at = probe.Geometry(ShowAndWait(frame));

    probe.MoveTo(at.x + at.width / 2, at.y + at.height / 2);
    Settle(100);
    probe.Press();
    probe.Release();
    EXPECT_TRUE(WaitUntil([&] { return beneath.presses == 1; }));

    // The top-left pixel is cut away too.
    probe.MoveTo(at.x, at.y);
    Settle(100);
    probe.Press();
    probe.Release();
    EXPECT_TRUE(WaitUntil([&] { return beneath.presses == 2; }));

    // The band is the frame's own: a press there starts a move instead.
    probe.MoveTo(at.x + at.width / 2, at.y + 4 * Ratio());
    Settle(100);
    probe.Press();
    Settle(100);
    probe.Release();
    Settle(300);
    EXPECT_EQ(beneath.presses, 2);
}

TEST_F(FrameWindowGui, DraggingTheBandMovesTheFrameByThePointersTravelAndLetsGo)
{
    frames::FrameWindow& frame = Frame("Form2");
    const std::uintptr_t id = ShowAndWait(frame);
    const ScreenRect start = probe.Geometry(id);

    Drag(start.x + start.width / 2, start.y + 5, 120, 70);
    EXPECT_TRUE(WaitUntil([&] {
        const ScreenRect now = probe.Geometry(id);
        return now.x == start.x + 120 && now.y == start.y + 70;
    }));

    // Once the button is up, the frame does not follow the pointer any more.
    const ScreenRect dropped = probe.Geometry(id);
    probe.MoveTo(dropped.x + dropped.width / 2 + 90, dropped.y + 60);
    Settle(400);
    EXPECT_EQ(probe.Geometry(id), dropped);

    // And the next drag, on the left band, moves it again.
    Drag(dropped.x + 4, dropped.y + dropped.height / 2, -50, 30);
    EXPECT_TRUE(WaitUntil([&] {
        const ScreenRect now = probe.Geometry(id);
        return now.x == dropped.x - 50 && now.y == dropped.y + 30;
    }));
}

TEST_F(FrameWindowGui, HidingAndShowingKeepsThePlaceAndTheFrameOnTop)
{
    Beneath beneath;
    frames::FrameWindow& frame = Frame("Form3");
    const std::uintptr_t id = ShowAndWait(frame);
    const ScreenRect start = probe.Geometry(id);
    Drag(start.x + start.width / 2, start.y + 6, -60, 40);
    ASSERT_TRUE(WaitUntil([&] { return probe.Geometry(id).x == start.x - 60; }));
    const ScreenRect moved = probe.Geometry(id);

    frame.Hide();
    ASSERT_TRUE(WaitUntil([&] { return !IsStacked(id); }));
    // A normal window activated meanwhile does not come above the frame.
    beneath.show();
    beneath.activateWindow();
    beneath.raise();
    ASSERT_TRUE(WaitUntil([&] { return IsStacked(beneath.winId()); }));
    frame.Show();
    ASSERT_TRUE(WaitUntil([&] { return IsStacked(id); }));
    Settle(200);
    beneath.raise();
    beneath.activateWindow();
    Settle(300);

    EXPECT_EQ(probe.Geometry(id), moved);
    EXPECT_TRUE(probe.HasState(id, "_NET_WM_STATE_ABOVE"));
    const auto stacking = probe.Stacking();
    const auto frameAt = std::find(stacking.begin(), stacking.end(), id);
    const auto beneathAt = std::find(stacking.begin(), stacking.end(), beneath.winId());
    ASSERT_NE(frameAt, stacking.end());
    ASSERT_NE(beneathAt, stacking.end());
    EXPECT_GT(frameAt - stacking.begin(), beneathAt - stacking.begin());
}

TEST_F(FrameWindowGui, WithoutAWindowManagerTheFrameFollowsThePointerUntilRelease)
{
    if (probe.WindowManagerRunning())
        GTEST_SKIP() << "needs an X server without a window manager (gui.frames.nowm)";
    frames::FrameWindow& frame = Frame("Form1");
    const std::uintptr_t id = ShowAndWait(frame);
    const ScreenRect start = probe.Geometry(id);
    EXPECT_TRUE(probe.HasState(id, "_NET_WM_STATE_ABOVE"));

    Drag(start.x + start.width / 2, start.y + 5, 100, 50);
    EXPECT_TRUE(WaitUntil([&] {
        const ScreenRect now = probe.Geometry(id);
        return now.x == start.x + 100 && now.y == start.y + 50;
    }));
    const ScreenRect dropped = probe.Geometry(id);
    probe.MoveTo(dropped.x + 400, dropped.y + 300);
    Settle(400);
    EXPECT_EQ(probe.Geometry(id), dropped);

    // The shape holds without a window manager too: the inside lets presses through.
    EXPECT_FALSE(probe.BoundingShape(id).empty());
}

} // namespace
