// The main window against the recording backend: the loading sequence and its
// one failure path, the switch to the selection view, the toggles, the exit.

#include "app/Start.h"
#include "app/Texts.h"
#include "app/Windows.h"
#include "platform/Runtime.h"
#include "tests/support/CallOrder.h"
#include "tests/support/RecordingBackend.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

using testing_support::InOrder;
using testing_support::RecordingBackend;

const std::string FailureBox =
    "MessageBox " + std::string(app::texts::LoadFailed) + " | rasterblick";

class StartTest : public ::testing::Test
{
protected:
    StartTest() { app::RegisterWindows(runtime); }
    app::Start& Main() { return static_cast<app::Start&>(runtime.Named("Start")); }
    int Run() { return runtime.Run("Start"); }
    bool AnyFrameShown() const
    {
        for (const auto& call : backend.calls)
            if (call.rfind("Form", 0) == 0 && call.find(".Visible=1") != std::string::npos)
                return true;
        return false;
    }
    // The trigger's own first steps, then the common steps of the switch.
    static std::vector<std::string> SwitchSteps(std::vector<std::string> steps)
    {
        const std::vector<std::string> common = {
            "Start.Picture1.Visible=1",     "Start.Picture2.Visible=1", "Start.Shape1.Visible=0",
            "Start.ProgressBar1.Visible=0", "Start.Command1.Visible=0", "Start.Label2.Visible=0",
            "Start.Check1.Visible=1",       "Start.Check2.Visible=1",   "Start.Check3.Visible=1",
            "Start.Check4.Visible=1",       "Start.Check5.Visible=1",   "Start.Check6.Visible=1"};
        steps.insert(steps.end(), common.begin(), common.end());
        return steps;
    }

    RecordingBackend backend;
    platform::Runtime runtime{backend};
};

TEST_F(StartTest, LoadingRunsItsStepsInOrderAndLeavesTheFramesHidden)
{
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(
        InOrder(backend.calls,
                {"CreateWindow Start",
                 "CreateTimer Start.Timer2",
                 "Start.Timer2.Enabled=1",
                 "CreateTimer Start.Timer3",
                 "Start.Timer3.Enabled=1",
                 "Start.Visible=1",
                 "Start.MousePointer=11",
                 "Start.ProgressBar1.Value=10",
                 "Start.Label2.Caption=Bildschirmauflösung?  Den besten Überblick haben Sie mit "
                 "RASTERBLICK.",
                 "DoEvents",
                 "Start.ProgressBar1.Value=20",
                 "CreateWindow Form1",
                 "Form1.Topmost=1",
                 "Start.ProgressBar1.Value=30",
                 "CreateWindow Form2",
                 "Start.ProgressBar1.Value=45",
                 "CreateWindow Form3",
                 "Start.ProgressBar1.Value=60",
                 "CreateWindow Form4",
                 "Start.ProgressBar1.Value=75",
                 "CreateWindow Form5",
                 "Start.ProgressBar1.Value=90",
                 "CreateWindow Form6",
                 "Form6.Topmost=1",
                 "Start.ProgressBar1.Value=100",
                 "Start.MousePointer=0",
                 "Start.Label1.Caption=Ladevorgang erfolgreich beendet.",
                 "Start.ProgressBar1.Value=0",
                 "Start.ProgressBar1.Visible=0",
                 "Start.Label2.Caption=Aktuelle Bildschirmauflösung: 1024 x 768",
                 "Start.Timer1.Enabled=1",
                 "RunEventLoop"}));

    EXPECT_EQ(
        backend.CallsStartingWith("Start.ProgressBar1.Value="),
        (std::vector<std::string>{"Start.ProgressBar1.Value=10", "Start.ProgressBar1.Value=20",
                                  "Start.ProgressBar1.Value=30", "Start.ProgressBar1.Value=45",
                                  "Start.ProgressBar1.Value=60", "Start.ProgressBar1.Value=75",
                                  "Start.ProgressBar1.Value=90", "Start.ProgressBar1.Value=100",
                                  "Start.ProgressBar1.Value=0"}));
    EXPECT_EQ(backend.CallsStartingWith("DoEvents").size(), 1u);
    EXPECT_FALSE(AnyFrameShown());
    EXPECT_TRUE(Main().Command1.Visible());
    EXPECT_TRUE(Main().GreenRising && Main().RedRising);
    EXPECT_FALSE(Main().GreenFalling || Main().RedFalling);
}

TEST_F(StartTest, AFailureWhileTheFourthFrameLoadsReportsOnceAndClosesEveryWindow)
{
    backend.FailOn("Form4.Shape");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(backend.CallsStartingWith("MessageBox"), std::vector<std::string>{FailureBox});
    EXPECT_TRUE(InOrder(backend.calls,
                        {FailureBox, "DestroyWindow Form1", "DestroyWindow Form2",
                         "DestroyWindow Form3", "DestroyWindow Form4", "DestroyWindow Start"}));
    EXPECT_TRUE(backend.CallsStartingWith("CreateWindow Form5").empty());
    EXPECT_TRUE(backend.CallsStartingWith("CreateWindow Form6").empty());
    EXPECT_TRUE(backend.CallsStartingWith("RunEventLoop").empty());
    EXPECT_FALSE(AnyFrameShown());
    EXPECT_FALSE(runtime.AnyLoaded());
}

TEST_F(StartTest, AFailedReadoutAfterAllSixLoadedGivesTheSameMessage)
{
    struct Case {
        const char* what;
        platform::ScreenMetrics screen;
    };
    const Case cases[] = {
        // The frames size themselves with the same twips per pixel, so only the
        // screen's own size can make the readout alone fail.
        {"beyond 32 bits", {3e10f, 768 * 15.0f, 1, 15}},
        {"not a number", {1024 * 15.0f, std::numeric_limits<float>::quiet_NaN(), 15, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingBackend local;
        local.screen = c.screen;
        platform::Runtime localRuntime(local);
        app::RegisterWindows(localRuntime);
        EXPECT_EQ(localRuntime.Run("Start"), 1);
        EXPECT_TRUE(
            InOrder(local.calls, {"CreateWindow Form6", "Start.ProgressBar1.Visible=0", FailureBox,
                                  "DestroyWindow Form6", "DestroyWindow Start"}));
        EXPECT_FALSE(localRuntime.AnyLoaded());
    }
}

TEST_F(StartTest, ClosingStartDuringTheOneYieldStopsTheSequenceThere)
{
    backend.pendingEvents = [&] { backend.Close("Start"); };
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(backend.CallsStartingWith("CreateWindow Form").empty());
    EXPECT_TRUE(backend.CallsStartingWith("MessageBox").empty());
    EXPECT_FALSE(backend.WindowExists("Start"));
    EXPECT_FALSE(runtime.AnyLoaded());
}

TEST_F(StartTest, TheStartButtonSwitchesToTheSelectionViewOnce)
{
    Run();
    backend.calls.clear();
    backend.Click("Start.Command1");
    EXPECT_EQ(backend.calls, SwitchSteps({"Start.Command1.Visible=0", "Start.Timer1.Enabled=0"}));

    // The timer is off: its tick never changes anything afterwards.
    backend.calls.clear();
    backend.Tick("Start.Timer1");
    EXPECT_TRUE(backend.calls.empty());
}

TEST_F(StartTest, WithoutAPressTheTimerSwitchesOnceAndSwallowsItsErrors)
{
    Run();
    backend.calls.clear();
    backend.Tick("Start.Timer1");
    EXPECT_EQ(backend.calls, SwitchSteps({"Start.Timer1.Enabled=0"}));
    backend.calls.clear();
    backend.Tick("Start.Timer1");
    EXPECT_TRUE(backend.calls.empty());

    // A failing step ends the tick quietly; the steps before it stay done.
    RecordingBackend local;
    platform::Runtime localRuntime(local);
    app::RegisterWindows(localRuntime);
    localRuntime.Run("Start");
    local.FailOn("Start.Shape1.Visible");
    EXPECT_NO_THROW(local.Tick("Start.Timer1"));
    auto& start = static_cast<app::Start&>(localRuntime.Named("Start"));
    EXPECT_TRUE(start.Picture2.Visible());
    EXPECT_FALSE(start.Check1.Visible());
}

TEST_F(StartTest, TogglesShowAndHideTheirOwnFrameIndependently)
{
    Run();
    backend.Click("Start.Command1");
    backend.calls.clear();
    backend.Click("Start.Check2");
    backend.Click("Start.Check5");
    backend.Click("Start.Check2");
    EXPECT_EQ(backend.calls,
              (std::vector<std::string>{"Form2.Visible=1", "Form5.Visible=1", "Form2.Visible=0"}));
    EXPECT_TRUE(runtime.Named("Form5").Visible());
    EXPECT_FALSE(runtime.Named("Form2").Visible());
}

TEST_F(StartTest, AToggleLoadsAFrameAnewThatTheWindowSystemClosed)
{
    Run();
    backend.Click("Start.Command1");
    backend.Click("Start.Check3");
    backend.Close("Form3");
    backend.Click("Start.Check3"); // off: loads it again, hidden
    backend.calls.clear();
    backend.Click("Start.Check3"); // on
    EXPECT_EQ(backend.calls, std::vector<std::string>{"Form3.Visible=1"});
    EXPECT_TRUE(runtime.Named("Form3").IsLoaded());
}

TEST_F(StartTest, ClosingStartUnloadsTheSixFramesInOrderShownOrHidden)
{
    Run();
    backend.Click("Start.Command1");
    backend.Click("Start.Check1");
    backend.Click("Start.Check6");
    backend.calls.clear();
    backend.Close("Start");
    EXPECT_TRUE(
        InOrder(backend.calls, {"DestroyWindow Form1", "DestroyWindow Form2", "DestroyWindow Form3",
                                "DestroyWindow Form4", "DestroyWindow Form5", "DestroyWindow Form6",
                                "DestroyWindow Start"}));
    EXPECT_FALSE(runtime.AnyLoaded());
}

} // namespace
