#pragma once

#include "platform/Control.h"

#include <functional>

namespace platform
{

struct CheckBoxLayout {
    std::string caption;
    int value = 0;
    std::optional<Colour> backColour;
};

// A check box. Its value is 0 (off) or 1 (on); every change of the value, by
// the user or by the program, raises Click before the change is over.
class CheckBox : public Control
{
public:
    CheckBox(Form& owner, std::string name, ControlPlacement placement, CheckBoxLayout layout);

    const CheckBoxLayout& Layout() const { return layout_; }
    const std::string& Caption() const { return layout_.caption; }

    int Value() const { return value_; }
    // Raises Click before it returns when the value changes; errors of the
    // handler reach the caller.
    void SetValue(int value);

    std::function<void()> Click;

    // Input from the window system: the user switched the box.
    void PeerToggled(bool checked);

    ControlPeer* Peer() const override { return peer_.get(); }

protected:
    void ResetToLayout() override { value_ = layout_.value; }
    void CreatePeer(WindowPeer& window, ContainerPeer container) override;
    void DestroyPeer() override { peer_.reset(); }

private:
    void RaiseClick();

    CheckBoxLayout layout_;
    int value_ = 0;
    std::unique_ptr<CheckBoxPeer> peer_;
};

} // namespace platform
