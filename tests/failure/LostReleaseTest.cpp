// A frame whose move the window manager runs, when the button release does
// not arrive where it is expected: the frame must not stay on the pointer.

#include "app/Windows.h"
#include "frames/FrameWindow.h"
#include "platform/Runtime.h"
#include "tests/failure/ScreenRectPrinter.h"
#include "tests/failure/WindowManagerProcess.h"
#include "tests/gui/GuiEnvironment.h"
#include "tests/support/X11Probe.h"

#include <gtest/gtest.h>

namespace
{

using testing_support::ScreenRect;
using testing_support::Settle;
using testing_support::WaitUntil;
using testing_support::X11Probe;

class LostRelease : public ::testing::Test
{
protected:
    LostRelease() { app::RegisterWindows(runtime); }
    ~LostRelease() override
    {
        probe.Release();
        Settle(100);
    }

    std::uintptr_t ShowAndWait(frames::FrameWindow& frame)
    {
        frame.Show();
        const std::uintptr_t id = frame.hWnd().value;
        EXPECT_TRUE(WaitUntil([&] { return probe.Viewable(id); }));
        Settle(300);
        return id;
    }

    // Moves the pointer in steps, as a hand would, and lets things settle.
    void Travel(int fromX, int fromY, int dx, int dy)
    {
        const int steps = 5;
        for (int i = 1; i <= steps; ++i) {
            probe.MoveTo(fromX + dx * i / steps, fromY + dy * i / steps);
            Settle(60);
        }
        Settle(300);
    }

    // The frame stays where it is while the pointer, button up, travels over it.
    void ExpectNotFollowing(std::uintptr_t id, int fromX, int fromY)
    {
        const ScreenRect before = probe.Geometry(id);
        Travel(fromX, fromY, 140, 90);
        EXPECT_EQ(probe.Geometry(id), before) << "the frame follows the pointer, button up";
        Travel(fromX + 140, fromY + 90, -200, 30);
        EXPECT_EQ(probe.Geometry(id), before) << "the frame follows the pointer, button up";
    }

    // An ordinary drag by the top band still moves the frame by the pointer's
    // travel: nothing was left half-done.
    void ExpectDraggable(std::uintptr_t id)
    {
        const ScreenRect start = probe.Geometry(id);
        const int x = start.x + start.width / 2;
        const int y = start.y + 5;
        probe.MoveTo(x, y);
        Settle(150);
        probe.Press();
        Settle(150);
        Travel(x, y, -80, 60);
        probe.Release();
        Settle(300);
        const ScreenRect expected{start.x - 80, start.y + 60, start.width, start.height};
        WaitUntil([&] { return probe.Geometry(id) == expected; });
        EXPECT_EQ(probe.Geometry(id), expected)
            << "a drag after the lost release does not move the frame by the pointer's travel";
    }

    frames::FrameWindow& Frame(std::string_view name)
    {
        return static_cast<frames::FrameWindow&>(runtime.Named(name));
    }

    X11Probe probe;
    failure_tests::WindowManagerProcess wm;
    platform::Runtime runtime{*gui_tests::NativeBackend};
};

// The window manager takes the move request only after the button is up again
// (here it is held stopped meanwhile, as a busy one would be): it never sees
// the release, which went to the frame before its grab.
TEST_F(LostRelease, ReleasedBeforeTheWindowManagerTookTheMove)
{
    ASSERT_TRUE(probe.WindowManagerRunning());
    ASSERT_GT(wm.Pid(), 0) << "the window manager's process is not known";
    frames::FrameWindow& frame = Frame("Form2");
    const std::uintptr_t id = ShowAndWait(frame);
    const ScreenRect start = probe.Geometry(id);
    const int x = start.x + start.width / 2;
    const int y = start.y + 5;

    probe.MoveTo(x, y);
    Settle(150);
    ASSERT_TRUE(wm.Stop());
    probe.Press();
    Settle(300);
    probe.Release();
    Settle(300);
    ASSERT_TRUE(wm.Continue());
    Settle(300);

    ExpectNotFollowing(id, x, y);
    ExpectDraggable(id);
}

// The window manager dies while it moves the frame, the button still down.
// Once the button is up the frame stays put, and it can still be dragged:
// with no window manager, and again when a new one has taken over.
TEST_F(LostRelease, WindowManagerKilledInTheMiddleOfTheMove)
{
    ASSERT_TRUE(probe.WindowManagerRunning());
    ASSERT_GT(wm.Pid(), 0) << "the window manager's process is not known";
    frames::FrameWindow& frame = Frame("Form1");
    const std::uintptr_t id = ShowAndWait(frame);
    const ScreenRect start = probe.Geometry(id);
    const int x = start.x + start.width / 2;
    const int y = start.y + 5;

    probe.MoveTo(x, y);
    Settle(150);
    probe.Press();
    Settle(150);
    Travel(x, y, 60, 40);
    ASSERT_TRUE(WaitUntil([&] { return probe.Geometry(id).x == start.x + 60; }))
        << "the move did not start";
    ASSERT_TRUE(wm.Kill());
    Settle(300);
    probe.Release();
    Settle(300);
    ExpectNotFollowing(id, x + 60, y + 40);
    // Without a window manager the frame follows the pointer itself.
    ExpectDraggable(id);

    ASSERT_TRUE(wm.StartAnother());
    ASSERT_TRUE(WaitUntil([&] { return probe.WindowManagerRunning(); }, 10000));
    Settle(1000);
    ExpectNotFollowing(id, x + 60, y + 40);
    ExpectDraggable(id);
}

} // namespace
