#pragma once

// What a backend builds for each window and control while it is loaded. The
// platform layer keeps every property's value itself and tells the peer about
// each change; a peer reports user input back to its control. Peers are made
// when their window loads and destroyed when it unloads.

#include "platform/Types.h"

#include <memory>
#include <string_view>
#include <vector>

namespace platform
{

class Form;
class Label;
class CommandButton;
class CheckBox;
class PictureBox;
class Shape;
class ScrollBar;
class ProgressBar;
class Timer;

class ControlPeer
{
public:
    virtual ~ControlPeer() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetBounds(const PixelRect& bounds) = 0;
};

class LabelPeer : public virtual ControlPeer
{
public:
    virtual void SetCaption(std::string_view caption) = 0;
};

class CommandButtonPeer : public virtual ControlPeer
{
public:
    virtual void SetCaption(std::string_view caption) = 0;
};

class CheckBoxPeer : public virtual ControlPeer
{
public:
    virtual void SetCaption(std::string_view caption) = 0;
    virtual void SetChecked(bool checked) = 0;
};

class PictureBoxPeer : public virtual ControlPeer
{
public:
    // The bitmap to paint from; it stays owned by the control and may be null.
    virtual void SetPicture(const Bitmap* picture) = 0;
    virtual void SetBorder(bool sunken) = 0;
    virtual void SetCursor(const CursorImage* cursor) = 0;
    virtual void SetToolTip(std::string_view text) = 0;
    // Repaint now, from the bitmap's current bytes.
    virtual void Refresh() = 0;
};

class ShapePeer : public virtual ControlPeer
{
};

class ScrollBarPeer : public virtual ControlPeer
{
public:
    virtual void SetRange(std::int16_t min, std::int16_t max) = 0;
    virtual void SetValue(std::int16_t value) = 0;
};

class ProgressBarPeer : public virtual ControlPeer
{
public:
    virtual void SetRange(float min, float max) = 0;
    // Shows the new position before it returns, whether or not events are handled.
    virtual void SetValue(float value) = 0;
};

class TimerPeer
{
public:
    virtual ~TimerPeer() = default;
    virtual void SetInterval(std::int32_t milliseconds) = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// Where a control is placed: on the window's client area or inside a picture box.
using ContainerPeer = ControlPeer*;

class WindowPeer
{
public:
    virtual ~WindowPeer() = default;

    virtual void SetCaption(std::string_view caption) = 0;
    virtual void SetBorderStyle(BorderStyle style) = 0;
    // The outer size in pixels; without a border it is the client area.
    virtual void SetSize(std::int32_t width, std::int32_t height) = 0;
    virtual void SetMousePointer(MousePointer pointer) = 0;
    // Shows or hides the window. The first show after a load places the window
    // at the centre of the primary screen; later shows keep its place.
    virtual void SetVisible(bool visible) = 0;
    virtual WindowHandle Handle() const = 0;

    // Window-system services.
    // The window's shape from now on; null gives back its full rectangle.
    virtual void SetShape(const Region* region, bool redraw) = 0;
    // Above every window that is not topmost, or back in the normal order.
    virtual void SetTopmost(bool topmost) = 0;
    // Releases the pointer capture of the press under way and hands the move to
    // the window system, which moves the window with the pointer until the button
    // is released. Where the window system refuses, the window follows the
    // pointer by itself.
    virtual void StartSystemMove() = 0;

    // The controls in the order keyboard focus moves through them.
    virtual void SetTabOrder(const std::vector<ControlPeer*>& order) = 0;

    // Controls are made in stacking order, bottom first: each new one lies above
    // those made before it.
    virtual std::unique_ptr<LabelPeer> CreateLabel(Label& control, ContainerPeer container) = 0;
    virtual std::unique_ptr<CommandButtonPeer> CreateCommandButton(CommandButton& control,
                                                                   ContainerPeer container) = 0;
    virtual std::unique_ptr<CheckBoxPeer> CreateCheckBox(CheckBox& control,
                                                         ContainerPeer container) = 0;
    virtual std::unique_ptr<PictureBoxPeer> CreatePictureBox(PictureBox& control,
                                                             ContainerPeer container) = 0;
    virtual std::unique_ptr<ShapePeer> CreateShape(Shape& control, ContainerPeer container) = 0;
    virtual std::unique_ptr<ScrollBarPeer> CreateScrollBar(ScrollBar& control,
                                                           ContainerPeer container) = 0;
    virtual std::unique_ptr<ProgressBarPeer> CreateProgressBar(ProgressBar& control,
                                                               ContainerPeer container) = 0;
};

} // namespace platform
