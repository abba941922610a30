#pragma once

#include <cstdint>

namespace logo
{

// One tick of a logo channel's pulse: the value climbs to 195, turns, falls to 1
// and turns again, one step a tick. Element is anything with
// `std::int16_t Value() const` and `void SetValue(std::int16_t)`, such as a
// scroll bar; setting it may raise events that change it again, so every use of
// the value reads it anew. rising and falling are the channel's own flags.
template <typename Element> void PulseStep(Element& element, bool& rising, bool& falling)
{
    if (rising && element.Value() < 195)
        element.SetValue(static_cast<std::int16_t>(element.Value() + 1));
    if (element.Value() > 194) {
        rising = false;
        falling = true;
    }
    if (element.Value() < 2) {
        falling = false;
        rising = true;
    }
    if (falling)
        element.SetValue(static_cast<std::int16_t>(element.Value() - 1));
}

} // namespace logo
