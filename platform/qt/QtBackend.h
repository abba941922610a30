#pragma once

#include "platform/Backend.h"

#include <memory>

class QApplication;

namespace platform::qt
{

// The forms run time on Qt Widgets. It owns the application object.
class QtBackend final : public Backend
{
public:
    QtBackend(int& argc, char** argv);
    ~QtBackend() override;

    std::unique_ptr<WindowPeer> CreateWindow(Form& form) override;
    std::unique_ptr<TimerPeer> CreateTimer(Timer& timer) override;
    void MessageBox(std::string_view text, std::string_view title) override;
    ScreenMetrics Screen() override;
    void DoEvents() override;
    WindowHandle DesktopWindow() override;
    std::int32_t ShellExecute(const ShellExecuteRequest& request) override;
    int RunEventLoop() override;
    void Quit() override;

private:
    std::unique_ptr<QApplication> app_;
};

// Twips per logical pixel: the desktop's logical pixel is 1/96 inch, whatever
// the device-pixel ratio, so frames and the readout share one unit.
inline constexpr float TwipsPerPixel = 15.0f;

} // namespace platform::qt
