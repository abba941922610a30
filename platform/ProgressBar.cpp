#include "platform/ProgressBar.h"

#include "platform/RunTimeError.h"

namespace platform
{

void ProgressBar::ResetToLayout()
{
    min_ = 0;
    max_ = 100;
    value_ = 0;
}

void ProgressBar::SetMin(float min)
{
    EnsureLoaded();
    min_ = min;
    if (peer_)
        peer_->SetRange(min_, max_);
}

void ProgressBar::SetMax(float max)
{
    EnsureLoaded();
    max_ = max;
    if (peer_)
        peer_->SetRange(min_, max_);
}

void ProgressBar::SetValue(float value)
{
    EnsureLoaded();
    if (!(value >= min_ && value <= max_))
        throw RunTimeError(380, "Invalid property value: " + QualifiedName() + ".Value");
    value_ = value;
    if (peer_)
        peer_->SetValue(value_);
}

} // namespace platform
