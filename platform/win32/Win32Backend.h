#pragma once

#include "platform/Backend.h"
#include "platform/win32/Win32.h"

#include <map>
#include <memory>
#include <string>

namespace platform::win32
{

// The forms run time on the Win32 API: its own window classes, one hidden
// window for the timers, and the message loop.
class Win32Backend final : public Backend
{
public:
    // Registers the window classes and makes sure a window can be made on this
    // desktop; null, with the reason in `error`, when that fails.
    static std::unique_ptr<Win32Backend> Create(std::string& error);
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    std::unique_ptr<WindowPeer> CreateWindow(Form& form) override;
    std::unique_ptr<TimerPeer> CreateTimer(Timer& timer) override;
    void MessageBox(std::string_view text, std::string_view title) override;
    ScreenMetrics Screen() override;
    void DoEvents() override;
    WindowHandle DesktopWindow() override;
    std::int32_t ShellExecute(const ShellExecuteRequest& request) override;
    int RunEventLoop() override;
    void Quit() override;

    HINSTANCE Instance() const { return instance_; }
    // The font of every control: the system's message font at 8 points.
    HFONT Font() const { return font_; }

    static constexpr const wchar_t* FormClass = L"RasterblickForm";
    static constexpr const wchar_t* PictureClass = L"RasterblickPicture";

    // Kept by the timer peers.
    UINT_PTR AddTimer(Timer& timer);
    void RemoveTimer(UINT_PTR id);
    HWND TimerWindow() const { return timerWindow_; }

private:
    explicit Win32Backend(HINSTANCE instance);
    bool Start(std::string& error);
    // One message of the loop: keyboard moves between the controls of a
    // window first, then translation and the window procedure.
    void Dispatch(MSG& msg);
    static LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    ATOM formClass_ = 0;
    ATOM pictureClass_ = 0;
    ATOM timerClass_ = 0;
    HWND timerWindow_ = nullptr;
    HFONT font_ = nullptr;
    bool comStarted_ = false;
    std::map<UINT_PTR, Timer*> timers_;
    UINT_PTR nextTimerId_ = 1;
};

// Twips per pixel of the screen: 1440 over its dots per inch.
float TwipsPerPixel(int dotsPerInch);

} // namespace platform::win32
