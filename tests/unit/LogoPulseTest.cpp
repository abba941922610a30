// The pulse of a logo channel, one tick at a time, against an element that
// records every value it is given.

#include "logo/PulseStep.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class RecordingElement
{
public:
    explicit RecordingElement(std::int16_t value) : value_(value) {}

    std::int16_t Value() const { return value_; }
    void SetValue(std::int16_t value)
    {
        value_ = value;
        set.push_back(value);
    }

    std::vector<std::int16_t> set;

private:
    std::int16_t value_;
};

struct Channel {
    RecordingElement element;
    bool rising;
    bool falling;

    void Tick() { logo::PulseStep(element, rising, falling); }
};

// What one tick is expected to do.
struct Tick {
    std::vector<std::int16_t> set;
    bool rising;
    bool falling;
};

struct PulseCase {
    const char* name;
    std::int16_t value;
    bool rising;
    bool falling;
    std::vector<Tick> ticks;
};

TEST(LogoPulse, TicksAtTheTurningPoints)
{
    const std::vector<PulseCase> cases = {
        {"as created", 1, false, false, {{{}, true, false}, {{2}, true, false}}},
        {"rising from the bottom", 1, true, false, {{{2}, true, false}, {{3}, true, false}}},
        {"rising at the top", 194, true, false, {{{195, 194}, false, true}, {{193}, false, true}}},
        {"falling to the bottom",
         2,
         false,
         true,
         {{{1}, false, true}, {{}, true, false}, {{2}, true, false}}},
        {"falling in the middle", 100, false, true, {{{99}, false, true}}},
        {"idle in the middle", 100, false, false, {{{}, false, false}, {{}, false, false}}},
    };
    for (const PulseCase& c : cases) {
        SCOPED_TRACE(c.name);
        Channel channel{RecordingElement(c.value), c.rising, c.falling};
        for (std::size_t t = 0; t < c.ticks.size(); ++t) {
            SCOPED_TRACE(testing::Message() << "tick " << t + 1);
            channel.element.set.clear();
            channel.Tick();
            EXPECT_EQ(channel.element.set, c.ticks[t].set);
            EXPECT_EQ(channel.rising, c.ticks[t].rising);
            EXPECT_EQ(channel.falling, c.ticks[t].falling);
        }
    }
}

TEST(LogoPulse, AFullCycleTakes388TicksWithin1To195)
{
    Channel channel{RecordingElement(1), true, false};
    int ticks = 0;
    do {
        channel.Tick();
        ++ticks;
        ASSERT_GE(channel.element.Value(), 1) << "tick " << ticks;
        ASSERT_LE(channel.element.Value(), 194) << "tick " << ticks;
        ASSERT_FALSE(channel.rising && channel.falling) << "tick " << ticks;
    } while (!(channel.element.Value() == 1 && channel.rising) && ticks < 1000);

    EXPECT_EQ(ticks, 388);
    EXPECT_EQ(channel.element.set.size(), 388u);
    EXPECT_FALSE(channel.falling);
    for (std::int16_t v : channel.element.set) {
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 195);
    }
    // Up one at a time to the top and down again.
    EXPECT_EQ(channel.element.set.front(), 2);
    EXPECT_EQ(channel.element.set[193], 195);
    EXPECT_EQ(channel.element.set.back(), 1);
    for (std::size_t i = 1; i < channel.element.set.size(); ++i) {
        const int step = channel.element.set[i] - channel.element.set[i - 1];
        EXPECT_EQ(step, i <= 193 ? 1 : -1) << "change " << i;
    }
}

TEST(LogoPulse, ChannelsWithTheirOwnFlagsPulseIndependently)
{
    // Each channel stepped alone gives the values to expect.
    auto valuesAlone = [](std::int16_t start, bool rising, bool falling, int ticks) {
        Channel channel{RecordingElement(start), rising, falling};
        std::vector<std::int16_t> values;
        for (int t = 0; t < ticks; ++t) {
            channel.Tick();
            values.push_back(channel.element.Value());
        }
        return values;
    };
    const auto redAlone = valuesAlone(1, true, false, 3 * 388);
    const auto greenAlone = valuesAlone(150, false, true, 388);

    Channel red{RecordingElement(1), true, false};
    Channel green{RecordingElement(150), false, true};
    for (int t = 0; t < 3 * 388; ++t) {
        red.Tick();
        ASSERT_EQ(red.element.Value(), redAlone[std::size_t(t)]) << "red tick " << t + 1;
        if (t % 3 == 2) {
            green.Tick();
            ASSERT_EQ(green.element.Value(), greenAlone[std::size_t(t / 3)])
                << "green tick " << t / 3 + 1;
        }
    }
    EXPECT_EQ(red.element.Value(), 1);
    EXPECT_TRUE(red.rising);
    EXPECT_FALSE(red.falling);
    EXPECT_EQ(green.element.Value(), 150);
    EXPECT_FALSE(green.rising);
    EXPECT_TRUE(green.falling);
}

} // namespace
