#pragma once

#include "platform/Control.h"

#include <functional>
#include <memory>

namespace platform
{

struct PictureBoxLayout {
    // Makes the picture the box holds when its window loads; none for an empty box.
    std::function<Bitmap()> picture;
    // A sunken border two pixels wide on every side.
    bool border = false;
    // The pointer over the box, or none for the window's own.
    std::shared_ptr<const CursorImage> cursor;
    std::string toolTip;
};

// A picture box. It owns its picture's pixel memory, which the backend paints
// from and which the program may read and rewrite in place (Picture()).
class PictureBox : public Control
{
public:
    static constexpr std::int32_t BorderWidth = 2;

    PictureBox(Form& owner, std::string name, ControlPlacement placement, PictureBoxLayout layout);

    const PictureBoxLayout& Layout() const { return layout_; }

    // The picture's bitmap, or null when the box holds none.
    Bitmap* Picture() { return picture_ ? &*picture_ : nullptr; }
    const Bitmap* Picture() const { return picture_ ? &*picture_ : nullptr; }

    // The surface that the box draws on and that can be read while the window
    // is hidden: with auto-redraw on, the kept image, which holds the picture.
    const Bitmap& Surface() const;

    bool AutoRedraw() const { return autoRedraw_; }
    void SetAutoRedraw(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool HasBorder() const { return border_; }
    void SetBorderStyle(BorderStyle style);
    ScaleMode GetScaleMode() const { return scaleMode_; }
    void SetScaleMode(ScaleMode mode);

    // The outer size, in twips.
    float Width() const;
    float Height() const;
    // The inner size, in the box's scale unit.
    float ScaleWidth() const;
    float ScaleHeight() const;

    // Repaints now, from the picture's current bytes.
    void Refresh();

    std::function<void()> Click;
    std::function<void(const MouseEventArgs&)> MouseDown;

    // Input from the window system.
    void PeerClicked();
    void PeerMouseDown(const MouseEventArgs& args);

    ControlPeer* Peer() const override { return peer_.get(); }

protected:
    void ResetToLayout() override;
    void CreatePeer(WindowPeer& window, ContainerPeer container) override;
    void DestroyPeer() override;

private:
    void FitToPicture();
    float ToScaleUnits(std::int32_t pixels, bool horizontal) const;

    PictureBoxLayout layout_;
    std::optional<Bitmap> picture_;
    bool autoRedraw_ = false;
    bool autoSize_ = false;
    bool border_ = false;
    ScaleMode scaleMode_ = ScaleMode::Twip;
    std::unique_ptr<PictureBoxPeer> peer_;
};

} // namespace platform
