#include "platform/PictureBox.h"

#include "platform/Services.h"

namespace platform
{

PictureBox::PictureBox(Form& owner, std::string name, ControlPlacement placement,
                       PictureBoxLayout layout)
    : Control(owner, std::move(name), placement), layout_(std::move(layout)),
      border_(layout_.border)
{
}

const Bitmap& PictureBox::Surface() const
{
    static const Bitmap none;
    return picture_ ? *picture_ : none;
}

void PictureBox::ResetToLayout()
{
    autoRedraw_ = false;
    autoSize_ = false;
    border_ = layout_.border;
    scaleMode_ = ScaleMode::Twip;
    // The picture is made anew for each load: its bytes are the window's own.
    picture_.reset();
    if (layout_.picture)
        picture_.emplace(layout_.picture());
}

void PictureBox::CreatePeer(WindowPeer& window, ContainerPeer container)
{
    peer_ = window.CreatePictureBox(*this, container);
}

void PictureBox::DestroyPeer()
{
    peer_.reset();
    picture_.reset();
}

void PictureBox::SetAutoRedraw(bool on)
{
    EnsureLoaded();
    autoRedraw_ = on;
}

void PictureBox::SetAutoSize(bool on)
{
    EnsureLoaded();
    autoSize_ = on;
    FitToPicture();
}

void PictureBox::SetBorderStyle(BorderStyle style)
{
    EnsureLoaded();
    border_ = style != BorderStyle::None;
    if (peer_)
        peer_->SetBorder(border_);
    FitToPicture();
}

void PictureBox::SetScaleMode(ScaleMode mode)
{
    EnsureLoaded();
    scaleMode_ = mode;
}

void PictureBox::FitToPicture()
{
    if (!autoSize_ || !picture_)
        return;
    const std::int32_t frame = border_ ? 2 * BorderWidth : 0;
    PixelRect bounds = Bounds();
    bounds.width = picture_->Width() + frame;
    bounds.height = picture_->Height() + frame;
    SetBoundsInternal(bounds);
}

float PictureBox::Width() const
{
    return float(Bounds().width) * Screen().twipsPerPixelX;
}

float PictureBox::Height() const
{
    return float(Bounds().height) * Screen().twipsPerPixelY;
}

float PictureBox::ToScaleUnits(std::int32_t pixels, bool horizontal) const
{
    if (scaleMode_ == ScaleMode::Pixel)
        return float(pixels);
    const ScreenMetrics screen = Screen();
    return float(pixels) * (horizontal ? screen.twipsPerPixelX : screen.twipsPerPixelY);
}

float PictureBox::ScaleWidth() const
{
    const std::int32_t frame = border_ ? 2 * BorderWidth : 0;
    return ToScaleUnits(Bounds().width - frame, true);
}

float PictureBox::ScaleHeight() const
{
    const std::int32_t frame = border_ ? 2 * BorderWidth : 0;
    return ToScaleUnits(Bounds().height - frame, false);
}

void PictureBox::Refresh()
{
    if (peer_)
        peer_->Refresh();
}

void PictureBox::PeerClicked()
{
    DispatchEvent([this] {
        if (Click)
            Click();
    });
}

void PictureBox::PeerMouseDown(const MouseEventArgs& args)
{
    DispatchEvent([this, &args] {
        if (MouseDown)
            MouseDown(args);
    });
}

} // namespace platform
