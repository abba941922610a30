#include "platform/Control.h"

#include "platform/Form.h"
#include "platform/PictureBox.h"

namespace platform
{

Control::Control(Form& owner, std::string name, ControlPlacement placement)
    : owner_(owner), name_(std::move(name)), placement_(placement), visible_(placement.visible),
      bounds_(placement.bounds)
{
    owner_.AddControl(*this);
}

std::string Control::QualifiedName() const
{
    return owner_.Name() + "." + name_;
}

void Control::SetVisible(bool visible)
{
    EnsureLoaded();
    visible_ = visible;
    if (auto* peer = Peer())
        peer->SetVisible(visible);
}

void Control::EnsureLoaded()
{
    if (!owner_.IsLoaded())
        owner_.Load();
}

void Control::SetBoundsInternal(const PixelRect& bounds)
{
    bounds_ = bounds;
    if (auto* peer = Peer())
        peer->SetBounds(bounds);
}

void Control::MakePeer(WindowPeer& window)
{
    visible_ = placement_.visible;
    bounds_ = placement_.bounds;
    ResetToLayout();
    ContainerPeer container = placement_.container ? placement_.container->Peer() : nullptr;
    CreatePeer(window, container);
}

void Control::DropPeer()
{
    DestroyPeer();
}

} // namespace platform
