#pragma once

#include "platform/Control.h"

#include <functional>

namespace platform
{

struct ScrollBarLayout {
    std::int16_t min = 0;
    std::int16_t max = 32767;
    std::int16_t value = 0;
    // Its element number when the bar belongs to a control array.
    std::int16_t index = 0;
};

// A horizontal scroll bar. Setting a different value raises Change, with the
// element's index, before the setter returns.
class ScrollBar : public Control
{
public:
    ScrollBar(Form& owner, std::string name, ControlPlacement placement, ScrollBarLayout layout);

    const ScrollBarLayout& Layout() const { return layout_; }
    std::int16_t Index() const { return layout_.index; }
    std::int16_t Min() const { return layout_.min; }
    std::int16_t Max() const { return layout_.max; }

    std::int16_t Value() const { return value_; }
    // A value outside Min..Max is an invalid property value, raised as an error.
    void SetValue(std::int16_t value);

    std::function<void(std::int16_t index)> Change;

    ControlPeer* Peer() const override { return peer_.get(); }

protected:
    void ResetToLayout() override { value_ = layout_.value; }
    void CreatePeer(WindowPeer& window, ContainerPeer container) override
    {
        peer_ = window.CreateScrollBar(*this, container);
    }
    void DestroyPeer() override { peer_.reset(); }

private:
    ScrollBarLayout layout_;
    std::int16_t value_ = 0;
    std::unique_ptr<ScrollBarPeer> peer_;
};

} // namespace platform
