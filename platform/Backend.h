#pragma once

#include "platform/Peers.h"

#include <memory>
#include <string_view>

namespace platform
{

// One window system under the forms run time. The program is written against
// the platform layer only; exactly one backend is linked in (see the root
// CMakeLists.txt), and tests use a recording one.
class Backend
{
public:
    virtual ~Backend() = default;

    // A new window for `form`, hidden, made from the form's layout (caption,
    // border, client size, colours, icon); its controls follow.
    virtual std::unique_ptr<WindowPeer> CreateWindow(Form& form) = 0;
    virtual std::unique_ptr<TimerPeer> CreateTimer(Timer& timer) = 0;

    // A modal message box with the text, an OK button only, no icon, and the title.
    virtual void MessageBox(std::string_view text, std::string_view title) = 0;
    virtual ScreenMetrics Screen() = 0;
    // Handles every event pending now, then returns.
    virtual void DoEvents() = 0;
    virtual WindowHandle DesktopWindow() = 0;
    // Hands a document or URL to the desktop's opener; the result follows the
    // shell's convention: above 32 means the request was accepted.
    virtual std::int32_t ShellExecute(const ShellExecuteRequest& request) = 0;

    // Runs the event loop until Quit.
    virtual int RunEventLoop() = 0;
    virtual void Quit() = 0;
};

} // namespace platform
