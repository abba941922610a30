// A hundred thousand pulse steps of the logo, each recolouring it from the
// loaded picture and repainting it on the X server: afterwards the program
// holds what it held after the first thousand.

#include "tests/soak/NoGrowth.h"
#include "tests/soak/ProgramUnderSoak.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace
{

constexpr int Steps = 100000;
constexpr int Baseline = 1000;

// The green timer ticks every 150 ms, the red one every 350 ms: seven to three.
constexpr std::array<bool, 10> GreenStep{true,  true, false, true,  true,
                                         false, true, true,  false, true};

TEST(PulseSoak, AHundredThousandLogoStepsLeaveMemoryAndXResourcesAsAfterTheFirstThousand)
{
    soak::ProgramUnderSoak program;
    app::Start& start = program.Start();
    ASSERT_TRUE(start.Picture1.Visible());

    // Counts the recolourings, on the way to the window's own handler.
    long recolourings = 0;
    for (platform::ScrollBar& channel : start.HScroll1)
        channel.Change = [&recolourings, handler = channel.Change](std::int16_t index) {
            ++recolourings;
            handler(index);
        };

    soak::Footprint before;
    for (int step = 0; step < Steps; ++step) {
        (GreenStep[std::size_t(step % 10)] ? start.Timer2 : start.Timer3).PeerTick();
        // Each step repaints at once; the event loop turns often enough that
        // the X server's replies and expose events never pile up.
        if (step % 10 == 9)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (step % 1000 == 999)
            program.SyncWithServer();
        if (step + 1 == Baseline)
            before = program.SettleAndMeasure();
    }
    const soak::Footprint after = program.SettleAndMeasure();

    std::printf("pulse soak: %d steps, %ld recolourings; after %d -> after %d steps:\n%s", Steps,
                recolourings, Baseline, Steps,
                (soak::Compare(before, after) + soak::ToleranceNote()).c_str());
    std::fflush(stdout);
    // A channel rests one tick at each turn at the bottom, once in about 390.
    EXPECT_GE(recolourings, long(Steps) * 99 / 100);
    soak::ExpectNoGrowth(before, after);
}

} // namespace
