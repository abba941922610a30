#pragma once

#include "platform/Control.h"

namespace platform
{

// A rectangle drawn on the window's surface: a one-pixel outline in the
// window-text colour.
class Shape : public Control
{
public:
    Shape(Form& owner, std::string name, ControlPlacement placement)
        : Control(owner, std::move(name), placement)
    {
    }

    ControlPeer* Peer() const override { return peer_.get(); }

protected:
    void CreatePeer(WindowPeer& window, ContainerPeer container) override
    {
        peer_ = window.CreateShape(*this, container);
    }
    void DestroyPeer() override { peer_.reset(); }

private:
    std::unique_ptr<ShapePeer> peer_;
};

} // namespace platform
