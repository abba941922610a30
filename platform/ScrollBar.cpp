#include "platform/ScrollBar.h"

#include "platform/RunTimeError.h"

#include <string>

namespace platform
{

ScrollBar::ScrollBar(Form& owner, std::string name, ControlPlacement placement,
                     ScrollBarLayout layout)
    : Control(owner, std::move(name), placement), layout_(layout), value_(layout.value)
{
}

void ScrollBar::SetValue(std::int16_t value)
{
    EnsureLoaded();
    if (value < layout_.min || value > layout_.max)
        throw RunTimeError(380, "Invalid property value: " + QualifiedName() +
                                    ".Value = " + std::to_string(value));
    if (value == value_)
        return;
    value_ = value;
    if (peer_)
        peer_->SetValue(value_);
    if (Change)
        Change(layout_.index);
}

} // namespace platform
