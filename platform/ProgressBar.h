#pragma once

#include "platform/Control.h"

namespace platform
{

// The common-controls progress bar. It shows a new position as soon as it is
// set, even while the event loop does not turn.
class ProgressBar : public Control
{
public:
    ProgressBar(Form& owner, std::string name, ControlPlacement placement)
        : Control(owner, std::move(name), placement)
    {
    }

    float Min() const { return min_; }
    float Max() const { return max_; }
    float Value() const { return value_; }
    void SetMin(float min);
    void SetMax(float max);
    // A value outside Min..Max is an invalid property value, raised as an error.
    void SetValue(float value);

    ControlPeer* Peer() const override { return peer_.get(); }

protected:
    void ResetToLayout() override;
    void CreatePeer(WindowPeer& window, ContainerPeer container) override
    {
        peer_ = window.CreateProgressBar(*this, container);
    }
    void DestroyPeer() override { peer_.reset(); }

private:
    float min_ = 0;
    float max_ = 100;
    float value_ = 0;
    std::unique_ptr<ProgressBarPeer> peer_;
};

} // namespace platform
