// Ten thousand switches of the six toggles of the main window, each showing or
// hiding its frame on the X server: afterwards the program holds what it held
// after the first thousand.

#include "tests/soak/NoGrowth.h"
#include "tests/soak/ProgramUnderSoak.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>
#include <vector>

namespace
{

using soak::ProgramUnderSoak;

constexpr int Clicks = 10000;
constexpr int Baseline = 1000;

// One round of clicks in a fixed shuffled order. Every toggle is clicked an
// even number of times in it, so every frame is hidden again at the end of a
// round, and both measurements see the same state. Many frames are shown
// together in between, in changing combinations.
constexpr int RoundLength = 100;
std::vector<int> Round()
{
    constexpr std::array<int, 6> clicksPerToggle{16, 16, 16, 16, 18, 18};
    std::vector<int> order;
    for (int toggle = 0; toggle < 6; ++toggle)
        order.insert(order.end(), std::size_t(clicksPerToggle[std::size_t(toggle)]), toggle);
    // mt19937's sequence is fixed by the standard; the shuffle is written out
    // so that the order is the same with every library.
    std::mt19937 random(20240611);
    for (std::size_t i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[random() % (i + 1)]);
    return order;
}

// How a click reaches the toggle: a real pointer press on its box through the
// X server, the widget's own click (keyboard and assistive tools take this
// way), or the program setting the value.
enum class ClickPath { Pointer, Widget, Value };
constexpr const char* NameOf(ClickPath path)
{
    return path == ClickPath::Pointer  ? "the pointer"
           : path == ClickPath::Widget ? "the widget"
                                       : "its value";
}
// Half the clicks are real ones; they cost little more than the others.
ClickPath PathOfClick(int click)
{
    if (click % 2 == 0)
        return ClickPath::Pointer;
    return click % 4 == 1 ? ClickPath::Widget : ClickPath::Value;
}

void ClickToggle(ProgramUnderSoak& program, int toggle, ClickPath path)
{
    switch (path) {
    case ClickPath::Pointer: {
        const QPoint at = program.ToggleIndicatorOnScreen(toggle);
        program.Probe().MoveTo(at.x(), at.y());
        program.Probe().Press();
        program.Probe().Release();
        break;
    }
    case ClickPath::Widget:
        program.ToggleWidget(toggle).click();
        break;
    case ClickPath::Value: {
        platform::CheckBox& box = program.Toggle(toggle);
        box.SetValue(1 - box.Value());
        break;
    }
    }
}

TEST(ToggleSoak, TenThousandClicksOnTheTogglesLeaveMemoryAndXResourcesAsAfterTheFirstThousand)
{
    ProgramUnderSoak program;
    const std::vector<int> round = Round();
    soak::Footprint before;
    int pointerClicks = 0;

    for (int click = 0; click < Clicks; ++click) {
        const int toggle = round[std::size_t(click % RoundLength)];
        const ClickPath path = PathOfClick(click);
        platform::CheckBox& box = program.Toggle(toggle);
        frames::FrameWindow& frame = program.Frame(toggle);
        const bool shown = box.Value() == 0;

        ClickToggle(program, toggle, path);
        pointerClicks += path == ClickPath::Pointer;
        // Not done until the X server has the frame mapped or unmapped.
        const std::uintptr_t id = program.FrameId(toggle);
        ASSERT_TRUE(program.PumpUntil([&] {
            return box.Value() == (shown ? 1 : 0) && frame.Visible() == shown &&
                   program.Probe().Viewable(id) == shown;
        })) << "click "
            << click << " on " << box.Name() << " by " << NameOf(path) << " did not "
            << (shown ? "show " : "hide ") << frame.Name();

        if (click + 1 == Baseline)
            before = program.SettleAndMeasure();
    }
    for (int toggle = 0; toggle < 6; ++toggle)
        ASSERT_FALSE(program.Frame(toggle).Visible());
    const soak::Footprint after = program.SettleAndMeasure();

    std::printf("toggle soak: %d clicks (%d by the pointer); after %d -> after %d clicks:\n%s",
                Clicks, pointerClicks, Baseline, Clicks,
                (soak::Compare(before, after) + soak::ToleranceNote()).c_str());
    std::fflush(stdout);
    soak::ExpectNoGrowth(before, after);
}

} // namespace
