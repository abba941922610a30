#include "platform/Label.h"

namespace platform
{

Label::Label(Form& owner, std::string name, ControlPlacement placement, LabelLayout layout)
    : Control(owner, std::move(name), placement), layout_(std::move(layout)),
      caption_(layout_.caption)
{
}

void Label::SetCaption(std::string caption)
{
    EnsureLoaded();
    caption_ = std::move(caption);
    if (peer_)
        peer_->SetCaption(caption_);
}

void Label::CreatePeer(WindowPeer& window, ContainerPeer container)
{
    peer_ = window.CreateLabel(*this, container);
}

} // namespace platform
