#include "platform/win32/Win32Backend.h"

#include "platform/Timer.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Window.h"

#include <objbase.h>

#include <cmath>

namespace platform::win32
{

namespace
{

constexpr const wchar_t* TimerClass = L"RasterblickTimers";
constexpr int FontPoints = 8;

class Win32Timer final : public TimerPeer
{
public:
    Win32Timer(Win32Backend& backend, platform::Timer& timer)
        : backend_(backend), id_(backend.AddTimer(timer))
    {
    }
    ~Win32Timer() override
    {
        KillTimer(backend_.TimerWindow(), id_);
        backend_.RemoveTimer(id_);
    }
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    void SetInterval(std::int32_t milliseconds) override
    {
        interval_ = milliseconds;
        if (enabled_)
            Arm();
    }
    void SetEnabled(bool enabled) override
    {
        enabled_ = enabled;
        if (enabled)
            Arm();
        else
            KillTimer(backend_.TimerWindow(), id_);
    }

private:
    // Setting a running timer again starts its interval afresh. An interval
    // of 0 is a timer that does not run.
    void Arm()
    {
        if (interval_ > 0)
            SetTimer(backend_.TimerWindow(), id_, UINT(interval_), nullptr);
        else
            KillTimer(backend_.TimerWindow(), id_);
    }

    Win32Backend& backend_;
    UINT_PTR id_;
    std::int32_t interval_ = 0;
    bool enabled_ = false;
};

HFONT MakeMessageFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(FontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    font.lfWidth = 0;
    return CreateFontIndirectW(&font);
}

// A window class of this backend; 0 when the system refuses it.
ATOM RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon,
                         HCURSOR cursor)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass);
}

} // namespace

float TwipsPerPixel(int dotsPerInch)
{
    return dotsPerInch > 0 ? 1440.0f / float(dotsPerInch) : 15.0f;
}

std::unique_ptr<Win32Backend> Win32Backend::Create(std::string& error)
{
    std::unique_ptr<Win32Backend> backend(new Win32Backend(GetModuleHandleW(nullptr)));
    if (!backend->Start(error))
        return nullptr;
    return backend;
}

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance)
{
}

bool Win32Backend::Start(std::string& error)
{
    // The shell may use COM to open a URL; it wants a single-threaded apartment.
    comStarted_ =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&controls)) {
        error = "the common controls (progress bar, tooltips) are not available";
        return false;
    }

    // The program's icon from its resources, when it has one (the tests do not).
    HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW

    formClass_ = RegisterWindowClass(instance_, FormClass, FormWindowProc, icon, arrow);
    pictureClass_ = RegisterWindowClass(instance_, PictureClass, PictureWindowProc, nullptr, arrow);
    timerClass_ = RegisterWindowClass(instance_, TimerClass, TimerWindowProc, nullptr, nullptr);

    if (!formClass_ || !pictureClass_ || !timerClass_) {
        error = "cannot register the window classes (error " + std::to_string(GetLastError()) + ")";
        return false;
    }

    // A top-level window that is never shown: where no desktop can be
    // reached (Wine without a display), it cannot be made.
    HWND probe = CreateWindowExW(0, FormClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 instance_, nullptr);
    if (!probe) {
        error =
            "cannot make a window on this desktop (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    DestroyWindow(probe);

    timerWindow_ = CreateWindowExW(0, TimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   instance_, nullptr);
    if (!timerWindow_) {
        error = "cannot make the timer window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    font_ = MakeMessageFont();
    return true;
}

Win32Backend::~Win32Backend()
{
    if (timerWindow_)
        DestroyWindow(timerWindow_);
    if (font_)
        DeleteObject(font_);
    if (formClass_)
        UnregisterClassW(FormClass, instance_);
    if (pictureClass_)
        UnregisterClassW(PictureClass, instance_);
    if (timerClass_)
        UnregisterClassW(TimerClass, instance_);
    if (comStarted_)
        CoUninitialize();
}

std::unique_ptr<WindowPeer> Win32Backend::CreateWindow(Form& form)
{
    return MakeWindow(*this, form);
}

std::unique_ptr<TimerPeer> Win32Backend::CreateTimer(Timer& timer)
{
    return std::make_unique<Win32Timer>(*this, timer);
}

UINT_PTR Win32Backend::AddTimer(Timer& timer)
{
    const UINT_PTR id = nextTimerId_++;
    timers_.emplace(id, &timer);
    return id;
}

void Win32Backend::RemoveTimer(UINT_PTR id)
{
    timers_.erase(id);
}

LRESULT CALLBACK Win32Backend::TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    if (message == WM_TIMER) {
        auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self) {
            // A tick may unload the timer's window and so end the timer.
            const auto found = self->timers_.find(UINT_PTR(wParam));
            if (found != self->timers_.end())
                found->second->PeerTick();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Backend::MessageBox(std::string_view text, std::string_view title)
{
    MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(), MB_OK);
}

ScreenMetrics Win32Backend::Screen()
{
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ScreenMetrics metrics;
    metrics.twipsPerPixelX = TwipsPerPixel(dpiX);
    metrics.twipsPerPixelY = TwipsPerPixel(dpiY);
    metrics.widthTwips = float(GetSystemMetrics(SM_CXSCREEN)) * metrics.twipsPerPixelX;
    metrics.heightTwips = float(GetSystemMetrics(SM_CYSCREEN)) * metrics.twipsPerPixelY;
    return metrics;
}

void Win32Backend::Dispatch(MSG& msg)
{
    if (HandleNavigationKey(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Backend::DoEvents()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Meant for the loop that runs the program: leave it for that one.
            PostQuitMessage(int(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

WindowHandle Win32Backend::DesktopWindow()
{
    return {reinterpret_cast<std::uintptr_t>(GetDesktopWindow())};
}

std::int32_t Win32Backend::ShellExecute(const ShellExecuteRequest& request)
{
    const std::wstring verb = Widen(request.verb);
    const std::wstring file = Widen(request.file);
    const std::wstring parameters = Widen(request.parameters);
    const std::wstring directory = Widen(request.directory);
    HINSTANCE result = ShellExecuteW(reinterpret_cast<HWND>(request.owner.value),
                                     verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                                     parameters.c_str(), directory.c_str(), request.showCommand);
    // The result is a number dressed as a handle: above 32 is success.
    return std::int32_t(reinterpret_cast<INT_PTR>(result));
}

int Win32Backend::RunEventLoop()
{
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return int(msg.wParam);
        if (got == -1)
            return 1;
        Dispatch(msg);
    }
}

void Win32Backend::Quit()
{
    PostQuitMessage(0);
}

} // namespace platform::win32
