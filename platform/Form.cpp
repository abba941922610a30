#include "platform/Form.h"

#include "platform/Control.h"
#include "platform/RunTimeError.h"
#include "platform/Runtime.h"
#include "platform/Services.h"
#include "platform/Timer.h"

#include <algorithm>
#include <cmath>

namespace platform
{

Form::Form(std::string name, WindowLayout layout)
    : name_(std::move(name)), layout_(std::move(layout)), borderStyle_(layout_.borderStyle),
      width_(layout_.clientWidth), height_(layout_.clientHeight)
{
}

// The controls and timers are members of the derived window and are gone by
// now, each with its peer; the window's own peer goes last.
Form::~Form() = default;

void Form::Load()
{
    if (loaded_)
        return;
    MakePeers();
    loaded_ = true;
    Runtime::Current().FormLoaded(*this);
    Form_Load();
}

void Form::MakePeers()
{
    visible_ = false;
    mousePointer_ = MousePointer::Default;
    borderStyle_ = layout_.borderStyle;
    width_ = layout_.clientWidth;
    height_ = layout_.clientHeight;
    try {
        peer_ = Runtime::Current().GetBackend().CreateWindow(*this);
        for (Control* control : controls_)
            control->MakePeer(*peer_);

        std::vector<Control*> focusable;
        for (Control* control : controls_)
            if (control->Placement().tabIndex)
                focusable.push_back(control);
        std::stable_sort(focusable.begin(), focusable.end(), [](Control* a, Control* b) {
            return *a->Placement().tabIndex < *b->Placement().tabIndex;
        });
        std::vector<ControlPeer*> order;
        for (Control* control : focusable)
            order.push_back(control->Peer());
        peer_->SetTabOrder(order);

        for (Timer* timer : timers_)
            timer->Start();
    } catch (...) {
        DropPeers();
        throw;
    }
}

void Form::DropPeers()
{
    for (Timer* timer : timers_)
        timer->Stop();
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        (*it)->DropPeer();
    peer_.reset();
}

void Form::Unload()
{
    if (!loaded_ || unloading_)
        return;
    unloading_ = true;
    bool cancel = false;
    try {
        Form_Unload(cancel);
    } catch (...) {
        unloading_ = false;
        throw;
    }
    unloading_ = false;
    if (cancel)
        return;
    DropPeers();
    loaded_ = false;
    visible_ = false;
    Runtime::Current().FormUnloaded(*this);
}

void Form::SetVisible(bool visible)
{
    if (!loaded_)
        Load();
    // The load handler may have unloaded the window again.
    if (!loaded_)
        return;
    visible_ = visible;
    RequirePeer().SetVisible(visible);
}

WindowPeer& Form::RequirePeer()
{
    if (!loaded_ || !peer_)
        Load();
    if (!peer_)
        throw RunTimeError(RunTimeError::WindowSystem, "window " + name_ + " is not loaded");
    return *peer_;
}

void Form::SetMousePointer(MousePointer pointer)
{
    mousePointer_ = pointer;
    RequirePeer().SetMousePointer(pointer);
}

void Form::SetBorderStyle(BorderStyle style)
{
    borderStyle_ = style;
    RequirePeer().SetBorderStyle(style);
}

float Form::Width() const
{
    return float(width_) * Screen().twipsPerPixelX;
}
float Form::Height() const
{
    return float(height_) * Screen().twipsPerPixelY;
}

namespace
{
std::int32_t TwipsToPixels(float twips, float twipsPerPixel)
{
    if (!(twipsPerPixel > 0))
        throw RunTimeError(RunTimeError::DivisionByZero, "Division by zero");
    const double pixels = std::nearbyint(double(twips) / double(twipsPerPixel));
    if (!(pixels >= 0 && pixels <= 32767 * 15.0))
        throw RunTimeError(RunTimeError::Overflow, "Overflow");
    return std::int32_t(pixels);
}
} // namespace

void Form::SetWidth(float twips)
{
    width_ = TwipsToPixels(twips, Screen().twipsPerPixelX);
    RequirePeer().SetSize(width_, height_);
}

void Form::SetHeight(float twips)
{
    height_ = TwipsToPixels(twips, Screen().twipsPerPixelY);
    RequirePeer().SetSize(width_, height_);
}

WindowHandle Form::hWnd() const
{
    return peer_ ? peer_->Handle() : WindowHandle{};
}

void Form::SetShape(const Region* region, bool redraw)
{
    RequirePeer().SetShape(region, redraw);
}

void Form::SetTopmost(bool topmost)
{
    RequirePeer().SetTopmost(topmost);
}

void Form::StartSystemMove()
{
    RequirePeer().StartSystemMove();
}

void Form::PeerCloseRequested()
{
    DispatchEvent([this] { Unload(); });
}

} // namespace platform
