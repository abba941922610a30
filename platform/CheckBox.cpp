#include "platform/CheckBox.h"

namespace platform
{

CheckBox::CheckBox(Form& owner, std::string name, ControlPlacement placement, CheckBoxLayout layout)
    : Control(owner, std::move(name), placement), layout_(std::move(layout)), value_(layout_.value)
{
}

void CheckBox::SetValue(int value)
{
    EnsureLoaded();
    if (value == value_)
        return;
    value_ = value;
    if (peer_)
        peer_->SetChecked(value_ == 1);
    RaiseClick();
}

void CheckBox::PeerToggled(bool checked)
{
    const int value = checked ? 1 : 0;
    if (value == value_)
        return;
    value_ = value;
    DispatchEvent([this] { RaiseClick(); });
}

void CheckBox::RaiseClick()
{
    if (Click)
        Click();
}

void CheckBox::CreatePeer(WindowPeer& window, ContainerPeer container)
{
    peer_ = window.CreateCheckBox(*this, container);
}

} // namespace platform
