#pragma once

#include "platform/Control.h"

#include <functional>

namespace platform
{

struct CommandButtonLayout {
    std::string caption;
};

class CommandButton : public Control
{
public:
    CommandButton(Form& owner, std::string name, ControlPlacement placement,
                  CommandButtonLayout layout);

    const CommandButtonLayout& Layout() const { return layout_; }
    const std::string& Caption() const { return layout_.caption; }

    std::function<void()> Click;

    // Input from the window system: the user pressed the button.
    void PeerClicked();

    ControlPeer* Peer() const override { return peer_.get(); }

protected:
    void CreatePeer(WindowPeer& window, ContainerPeer container) override;
    void DestroyPeer() override { peer_.reset(); }

private:
    CommandButtonLayout layout_;
    std::unique_ptr<CommandButtonPeer> peer_;
};

} // namespace platform
