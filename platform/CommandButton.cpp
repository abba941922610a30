#include "platform/CommandButton.h"

namespace platform
{

CommandButton::CommandButton(Form& owner, std::string name, ControlPlacement placement,
                             CommandButtonLayout layout)
    : Control(owner, std::move(name), placement), layout_(std::move(layout))
{
}

void CommandButton::PeerClicked()
{
    DispatchEvent([this] {
        if (Click)
            Click();
    });
}

void CommandButton::CreatePeer(WindowPeer& window, ContainerPeer container)
{
    peer_ = window.CreateCommandButton(*this, container);
}

} // namespace platform
