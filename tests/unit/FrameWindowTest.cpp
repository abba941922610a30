// A frame window's load steps, its always-on-top switch and its drag, against
// the recording backend.

#include "frames/FrameWindow.h"
#include "app/Windows.h"
#include "frames/FrameCatalogue.h"
#include "platform/RunTimeError.h"
#include "platform/Runtime.h"
#include "tests/support/CallOrder.h"
#include "tests/support/RecordingBackend.h"

#include <gtest/gtest.h>

namespace
{

using testing_support::InOrder;
using testing_support::RecordingBackend;

class FrameWindowTest : public ::testing::Test
{
protected:
    FrameWindowTest() { app::RegisterWindows(runtime); }
    frames::FrameWindow& Frame(std::string_view name)
    {
        return static_cast<frames::FrameWindow&>(runtime.Named(name));
    }

    RecordingBackend backend;
    platform::Runtime runtime{backend};
};

TEST_F(FrameWindowTest, LoadSizesShapesAndRaisesTheWindowWhileHiddenInThatOrder)
{
    Frame("Form1").Load();
    EXPECT_TRUE(InOrder(backend.calls, {
                                           "CreateWindow Form1",
                                           "Create PictureBox Form1.Picture1",
                                           "Create CheckBox Form1.Check1",
                                           "Create Label Form1.Label1",
                                           // Auto-size fits the box to the picture and its
                                           // border; the border goes, then the window's.
                                           "Form1.Picture1.Bounds=0,0,644x484",
                                           "Form1.Picture1.Border=0",
                                           "Form1.Picture1.Bounds=0,0,640x480",
                                           "Form1.BorderStyle=0",
                                           "Form1.Size=640x480",
                                           "Form1.Shape=939 rects redraw=1",
                                           "Form1.Check1.Checked=1",
                                           "Form1.Topmost=1",
                                       }));
    EXPECT_TRUE(backend.CallsStartingWith("Form1.Visible").empty());
    EXPECT_EQ(Frame("Form1").Check1.Value(), 1);
}

TEST_F(FrameWindowTest, EverySixWindowTakesItsImageSizeAndKeepsOnlyItsBand)
{
    for (const frames::FrameCatalogueRow& row : frames::FrameCatalogue) {
        SCOPED_TRACE(row.window);
        frames::FrameWindow& frame = Frame(row.window);
        frame.Load();
        EXPECT_EQ(frame.PixelWidth(), row.width);
        EXPECT_EQ(frame.PixelHeight(), row.height);
        EXPECT_EQ(frame.Label1.Caption(), row.caption);

        const platform::Region* shape = backend.ShapeOf(row.window);
        ASSERT_NE(shape, nullptr);
        // The top band's first row starts after the cut-away corner pixel; the
        // middle rows hold the left and right band only.
        EXPECT_EQ(shape->front(), (platform::Rect{1, 0, row.width, 1}));
        const std::int32_t middle = row.height / 2;
        std::vector<platform::Rect> middleRow;
        for (const auto& r : *shape)
            if (r.top == middle)
                middleRow.push_back(r);
        EXPECT_EQ(middleRow, (std::vector<platform::Rect>{
                                 {0, middle, row.band.left, middle + 1},
                                 {row.width - row.band.right, middle, row.width, middle + 1}}));
        EXPECT_EQ(shape->back(), (platform::Rect{0, row.height - 1, row.width, row.height}));
    }
}

TEST_F(FrameWindowTest, TheHiddenCheckBoxSwitchesAlwaysOnTop)
{
    frames::FrameWindow& frame = Frame("Form2");
    frame.Load();
    frame.Check1.SetValue(0);
    EXPECT_EQ(backend.calls.back(), "Form2.Topmost=0");
    frame.Check1.SetValue(1);
    EXPECT_EQ(backend.calls.back(), "Form2.Topmost=1");
}

TEST_F(FrameWindowTest, APressOnTheBandHandsTheMoveToTheWindowSystemWhateverTheButton)
{
    Frame("Form3").Show();
    const platform::MouseEventArgs presses[] = {
        {platform::MouseButton::Left, 0, 3, 3},
        {platform::MouseButton::Left, 2, 3, 3},
        {platform::MouseButton::Right, 1, 500, 5},
    };
    for (const auto& press : presses) {
        backend.MouseDown("Form3.Picture1", press);
        EXPECT_EQ(backend.calls.back(), "Form3.StartSystemMove");
    }
}

TEST_F(FrameWindowTest, ShowingAndHidingKeepsShapeAndSwitch)
{
    frames::FrameWindow& frame = Frame("Form4");
    frame.Show();
    frame.Hide();
    frame.Show();
    EXPECT_EQ(backend.CallsStartingWith("Form4.Shape").size(), 1u);
    EXPECT_EQ(backend.CallsStartingWith("Form4.Topmost").size(), 1u);
    EXPECT_EQ(backend.CallsStartingWith("Form4.Visible"),
              (std::vector<std::string>{"Form4.Visible=1", "Form4.Visible=0", "Form4.Visible=1"}));
}

TEST_F(FrameWindowTest, AnErrorInTheLoadStepsReachesTheCodeThatAskedForTheLoad)
{
    backend.FailOn("Form5.Shape");
    EXPECT_THROW(Frame("Form5").Load(), platform::RunTimeError);
    // The steps after the failure did not run.
    EXPECT_TRUE(backend.CallsStartingWith("Form5.Topmost").empty());
}

TEST_F(FrameWindowTest, AFrameClosedByTheWindowSystemLoadsAnewOnItsNextShow)
{
    frames::FrameWindow& frame = Frame("Form6");
    frame.Show();
    backend.Close("Form6");
    EXPECT_FALSE(frame.IsLoaded());
    EXPECT_FALSE(backend.WindowExists("Form6"));
    backend.calls.clear();
    frame.Show();
    ASSERT_EQ(backend.CallsStartingWith("Form6.Shape").size(), 1u);
    EXPECT_TRUE(
        InOrder(backend.calls, {"CreateWindow Form6", backend.CallsStartingWith("Form6.Shape")[0],
                                "Form6.Topmost=1", "Form6.Visible=1"}));
}

} // namespace
