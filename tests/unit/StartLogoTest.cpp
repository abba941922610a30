// The logo on the main window: the pulse timers drive the two hidden scroll
// elements, each change recolours one channel of Picture1 from Picture2, and a
// click on the logo hands the home page to the shell.

#include "app/Start.h"
#include "app/Windows.h"
#include "logo/Gain.h"
#include "platform/Runtime.h"
#include "tests/support/RecordingBackend.h"

#include <gtest/gtest.h>

namespace
{

using testing_support::RecordingBackend;

class StartLogo : public ::testing::Test
{
protected:
    StartLogo()
    {
        app::RegisterWindows(runtime);
        runtime.Run("Start");
    }
    app::Start& Main() { return static_cast<app::Start&>(runtime.Named("Start")); }

    // Every byte of the channel (2 red, 1 green, 0 blue) of Picture1 against
    // the table applied to Picture2, or against Picture2 itself.
    ::testing::AssertionResult ChannelIs(int byte, const std::array<std::uint8_t, 256>* table)
    {
        const platform::Bitmap& shown = *Main().Picture1.Picture();
        const platform::Bitmap& reference = *Main().Picture2.Picture();
        for (std::int32_t y = 0; y < shown.Height(); ++y)
            for (std::int32_t x = 0; x < shown.Width(); ++x) {
                const std::uint8_t source = reference.DisplayRow(y)[3 * x + byte];
                const std::uint8_t want = table ? (*table)[source] : source;
                if (shown.DisplayRow(y)[3 * x + byte] != want)
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y;
            }
        return ::testing::AssertionSuccess();
    }

    RecordingBackend backend;
    platform::Runtime runtime{backend};
};

TEST_F(StartLogo, GreenPulsesFromItsFirstTicksAndRecoloursOnlyGreen)
{
    // Loading set the flags to rising: the first tick steps to 2.
    backend.calls.clear();
    backend.Tick("Start.Timer2");
    EXPECT_EQ(backend.calls,
              (std::vector<std::string>{"Start.HScroll1(1).Value=2", "Start.Picture1.Refresh"}));
    const auto table = logo::GainTable(logo::Gain(2));
    EXPECT_EQ(Main().Gain, logo::Gain(2));
    EXPECT_TRUE(ChannelIs(1, &table));
    EXPECT_TRUE(ChannelIs(2, nullptr));
    EXPECT_TRUE(ChannelIs(0, nullptr));

    // Red runs on its own timer and leaves green as it was.
    backend.Tick("Start.Timer3");
    EXPECT_EQ(Main().HScroll1[0].Value(), 2);
    EXPECT_EQ(Main().HScroll1[1].Value(), 2);
    EXPECT_TRUE(ChannelIs(1, &table));
    EXPECT_TRUE(ChannelIs(2, &table));
    EXPECT_TRUE(ChannelIs(0, nullptr));
}

TEST_F(StartLogo, BeforeLoadingSetsTheFlagsTheFirstTickOnlyTurnsToRising)
{
    RecordingBackend early;
    platform::Runtime earlyRuntime(early);
    app::RegisterWindows(earlyRuntime);
    // A tick during the one yield of the loading sequence sees the state of a
    // fresh window: value 1, neither rising nor falling.
    int yields = 0;
    early.pendingEvents = [&] {
        ++yields;
        early.calls.clear();
        early.Tick("Start.Timer2");
        EXPECT_TRUE(early.CallsStartingWith("Start.HScroll1").empty());
        auto& start = static_cast<app::Start&>(earlyRuntime.Named("Start"));
        EXPECT_TRUE(start.GreenRising);
        early.Tick("Start.Timer2");
        EXPECT_EQ(start.HScroll1[1].Value(), 2);
    };
    earlyRuntime.Run("Start");
    EXPECT_EQ(yields, 1);
}

TEST_F(StartLogo, AClickOnTheLogoHandsTheHomePageToTheShellOwnedByTheDesktop)
{
    backend.Click("Start.Command1");
    for (std::int32_t result : {42, 2}) {
        backend.shellResult = result;
        backend.calls.clear();
        backend.Click("Start.Picture1");
        EXPECT_EQ(backend.calls,
                  (std::vector<std::string>{
                      "DesktopWindow",
                      "ShellExecute 56924 | Open | http://www.rasterblick.example |  | C:\\ | 1"}))
            << "shell result " << result;
    }
    std::string url = "http://www.rasterblick.example";
    backend.shellResult = 33;
    EXPECT_EQ(Main().StartURL(url), 33);
    EXPECT_EQ(url, "http://www.rasterblick.example");
}

TEST_F(StartLogo, AnErrorInATickIsReportedOnceAndThePulseGoesOn)
{
    backend.FailOn("Start.Picture1.Refresh");
    ::testing::internal::CaptureStderr();
    backend.Tick("Start.Timer2");
    backend.FailOn("Start.Picture1.Refresh");
    backend.Tick("Start.Timer2");
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("rasterblick:"), std::string::npos);
    backend.Tick("Start.Timer2");
    EXPECT_EQ(Main().HScroll1[1].Value(), 4);
}

} // namespace
