#pragma once

#include "platform/Peers.h"
#include "platform/Types.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform
{

class Control;
class Timer;

struct WindowLayout {
    std::string caption;
    BorderStyle borderStyle = BorderStyle::Sizable;
    // The client area in pixels; the load may size the window anew.
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    std::optional<Colour> backColour;
    // Makes the window icon (32 bits with alpha), or none for the system's.
    std::function<Bitmap()> icon;
    bool showInTaskbar = true;
};

// A window of the forms run time. Each exists once, is reached by its name and
// holds its controls as members. Loading makes the window and its controls
// from the layout, hidden, starts the timers the layout enables and raises
// Form_Load; unloading raises Form_Unload and destroys them again.
class Form
{
public:
    Form(std::string name, WindowLayout layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    const WindowLayout& Layout() const { return layout_; }

    bool IsLoaded() const { return loaded_; }
    void Load();
    // Unloading a window that is not loaded does nothing and does not load it.
    void Unload();
    // Showing or hiding loads the window first when it is not loaded.
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    MousePointer GetMousePointer() const { return mousePointer_; }
    void SetMousePointer(MousePointer pointer);
    BorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(BorderStyle style);
    // The outer size, in twips.
    float Width() const;
    float Height() const;
    void SetWidth(float twips);
    void SetHeight(float twips);
    // The outer size in pixels.
    std::int32_t PixelWidth() const { return width_; }
    std::int32_t PixelHeight() const { return height_; }

    WindowHandle hWnd() const;

    // Window-system services (see WindowPeer).
    void SetShape(const Region* region, bool redraw);
    void SetTopmost(bool topmost);
    void StartSystemMove();

    const std::vector<Control*>& Controls() const { return controls_; }

    // Input from the window system: the user or the system closes the window.
    void PeerCloseRequested();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(bool& cancel) { (void)cancel; }

private:
    friend class Control;
    friend class Timer;
    void AddControl(Control& control) { controls_.push_back(&control); }
    void AddTimer(Timer& timer) { timers_.push_back(&timer); }
    void MakePeers();
    void DropPeers();
    WindowPeer& RequirePeer();

    std::string name_;
    WindowLayout layout_;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    std::unique_ptr<WindowPeer> peer_;
    bool loaded_ = false;
    bool unloading_ = false;
    bool visible_ = false;
    MousePointer mousePointer_ = MousePointer::Default;
    BorderStyle borderStyle_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

} // namespace platform
