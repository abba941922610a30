#pragma once

#include "platform/Peers.h"
#include "platform/Types.h"

#include <optional>
#include <string>

namespace platform
{

class Form;
class PictureBox;

// Where a control stands when its window is made; every control kind adds its
// own settings to these.
struct ControlPlacement {
    PixelRect bounds;
    bool visible = true;
    std::optional<int> tabIndex;
    // The picture box the control lies in, or none for the window itself.
    PictureBox* container = nullptr;
};

// A control of a window. It exists as long as its window object does and keeps
// its properties; while the window is loaded a backend peer shows them. Loading
// the window sets every property back to its layout value.
class Control
{
public:
    Control(Form& owner, std::string name, ControlPlacement placement);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    // "Form.Control", as messages and the recording backend name it.
    std::string QualifiedName() const;
    Form& Owner() const { return owner_; }
    const ControlPlacement& Placement() const { return placement_; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const PixelRect& Bounds() const { return bounds_; }

    // Called by the window while it loads and unloads.
    void MakePeer(WindowPeer& window);
    void DropPeer();
    virtual ControlPeer* Peer() const = 0;

protected:
    // Brings the window in: a property set on a control of a window that is not
    // loaded loads that window first, as a forms run time does.
    void EnsureLoaded();
    void SetBoundsInternal(const PixelRect& bounds);
    virtual void ResetToLayout() {}
    virtual void CreatePeer(WindowPeer& window, ContainerPeer container) = 0;
    virtual void DestroyPeer() = 0;

private:
    Form& owner_;
    std::string name_;
    ControlPlacement placement_;
    bool visible_ = true;
    PixelRect bounds_;
};

// Runs an event handler for input from the window system. An error that no
// handler catches ends up here: it is reported on standard error and the
// program goes on.
template <typename Handler> void DispatchEvent(const Handler& handler);

void ReportUncaughtError(const std::exception& error);

template <typename Handler> void DispatchEvent(const Handler& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ReportUncaughtError(error);
    }
}

} // namespace platform
