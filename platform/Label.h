#pragma once

#include "platform/Control.h"

namespace platform
{

struct LabelLayout {
    std::string caption;
    TextAlignment alignment = TextAlignment::Left;
    // Lines break at word boundaries within the width; what does not fit the
    // height is cut off.
    bool wordWrap = true;
    // An opaque back colour, or none for a label drawn on what lies beneath.
    std::optional<Colour> backColour;
    // A text colour of its own, or the window's default text colour.
    std::optional<Colour> foreColour;
};

class Label : public Control
{
public:
    Label(Form& owner, std::string name, ControlPlacement placement, LabelLayout layout);

    const LabelLayout& Layout() const { return layout_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    ControlPeer* Peer() const override { return peer_.get(); }

protected:
    void ResetToLayout() override { caption_ = layout_.caption; }
    void CreatePeer(WindowPeer& window, ContainerPeer container) override;
    void DestroyPeer() override { peer_.reset(); }

private:
    LabelLayout layout_;
    std::string caption_;
    std::unique_ptr<LabelPeer> peer_;
};

} // namespace platform
