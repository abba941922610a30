#include "platform/win32/Win32Window.h"

#include "platform/Form.h"
#include "platform/RunTimeError.h"
#include "platform/win32/Icons.h"
#include "platform/win32/ShapeRegion.h"
#include "platform/win32/Surface.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Controls.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace platform::win32
{

namespace
{

DWORD StyleFor(BorderStyle style)
{
    switch (style) {
    case BorderStyle::None:
        // A system menu makes the window one the window manager (under Wine:
        // the X one) looks after: it keeps it above and moves it.
        return WS_POPUP | WS_SYSMENU;
    case BorderStyle::FixedSingle:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case BorderStyle::Sizable:
        break;
    }
    return WS_OVERLAPPEDWINDOW;
}

// Style bits that belong to the window's state, not to its border.
constexpr DWORD StateStyles = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE;

SIZE OuterSize(std::int32_t clientWidth, std::int32_t clientHeight, DWORD style, DWORD exStyle)
{
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

bool IsPushButton(HWND hwnd)
{
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, int(std::size(name)));
    const auto type = GetWindowLongPtrW(hwnd, GWL_STYLE) & 0x0F; // BS_TYPEMASK
    return _wcsicmp(name, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

class Win32Window final : public WindowPeer, public Surface
{
public:
    Win32Window(Win32Backend& backend, Form& form) : backend_(backend), form_(form)
    {
        const WindowLayout& layout = form.Layout();
        border_ = layout.borderStyle;
        // No taskbar button: a tool window.
        exStyle_ = layout.showInTaskbar ? 0 : WS_EX_TOOLWINDOW;
        if (layout.backColour) {
            background_ = CreateSolidBrush(ToColorRef(*layout.backColour));
            ownsBackground_ = background_ != nullptr;
        }
        if (!background_)
            background_ = GetSysColorBrush(COLOR_BTNFACE);

        const DWORD style = StyleFor(border_) | WS_CLIPCHILDREN;
        const SIZE outer = OuterSize(layout.clientWidth, layout.clientHeight, style, exStyle_);
        CreateWindowExW(exStyle_, Win32Backend::FormClass, Widen(layout.caption).c_str(), style, 0,
                        0, outer.cx, outer.cy, nullptr, nullptr, backend.Instance(), this);
        if (!hwnd_)
            throw RunTimeError(RunTimeError::WindowSystem,
                               "cannot make the window " + form.Name() + " (error " +
                                   std::to_string(GetLastError()) + ")");

        if (layout.icon) {
            const Bitmap icon = layout.icon();
            smallIcon_ = MakeIcon(icon);
            // The large icon repeats each pixel: pixel art stays sharp.
            const int scale = icon.Width() > 0 ? GetSystemMetrics(SM_CXICON) / icon.Width() : 1;
            bigIcon_ = MakeIcon(icon, std::max(scale, 1));
            if (smallIcon_)
                SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
            if (bigIcon_)
                SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
        }
    }

    ~Win32Window() override
    {
        // Nothing reaches this peer any more, even while the window goes.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
        if (smallIcon_)
            DestroyIcon(smallIcon_);
        if (bigIcon_)
            DestroyIcon(bigIcon_);
        if (ownsBackground_)
            DeleteObject(background_);
    }

    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    void SetCaption(std::string_view caption) override
    {
        SetWindowTextW(hwnd_, Widen(caption).c_str());
    }

    void SetBorderStyle(BorderStyle style) override
    {
        if (style == border_)
            return;
        border_ = style;
        const auto state = DWORD(GetWindowLongPtrW(hwnd_, GWL_STYLE)) & StateStyles;
        SetWindowLongPtrW(hwnd_, GWL_STYLE, LONG_PTR(state | StyleFor(style) | WS_CLIPCHILDREN));
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void SetSize(std::int32_t width, std::int32_t height) override
    {
        SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void SetMousePointer(MousePointer pointer) override
    {
        pointer_ = pointer;
        // The pointer changes now, not at its next move: the load that sets
        // the hourglass does not let the message loop turn.
        POINT at{};
        if (!GetCursorPos(&at))
            return;
        HWND under = WindowFromPoint(at);
        if (under && (under == hwnd_ || IsChild(hwnd_, under)))
            SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }

    void SetVisible(bool visible) override
    {
        if (!visible) {
            ShowWindow(hwnd_, SW_HIDE);
            return;
        }
        if (!placed_) {
            // The first show after a load: at the centre of the primary screen.
            // A window taller than the screen keeps its top edge on it, as a
            // title bar is kept: centred, a frame's band would be all off the
            // screen, with nothing left to drag it by.
            placed_ = true;
            RECT r{};
            GetWindowRect(hwnd_, &r);
            const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
            const int y =
                int(std::max<LONG>(0, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2));
            SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
    }

    WindowHandle Handle() const override { return {reinterpret_cast<std::uintptr_t>(hwnd_)}; }

    void SetShape(const Region* region, bool redraw) override
    {
        // An empty list of rectangles gives the full rectangle back, as with Qt.
        if (!region || region->empty()) {
            SetWindowRgn(hwnd_, nullptr, redraw ? TRUE : FALSE);
            return;
        }
        // The shape is in client coordinates; a window region starts at the
        // window's outer corner.
        POINT client{0, 0};
        ClientToScreen(hwnd_, &client);
        RECT outer{};
        GetWindowRect(hwnd_, &outer);
        HRGN shape = MakeRegion(JoinEqualRows(*region), int(client.x - outer.left),
                                int(client.y - outer.top));
        if (!shape)
            throw RunTimeError(RunTimeError::OutOfMemory, "cannot make the window shape");
        // From here on the region belongs to the system.
        if (!SetWindowRgn(hwnd_, shape, redraw ? TRUE : FALSE)) {
            DeleteObject(shape);
            throw RunTimeError(RunTimeError::WindowSystem, "cannot shape the window");
        }
    }

    void SetTopmost(bool topmost) override
    {
        // Without SWP_NOACTIVATE a hidden frame would take the activation
        // (and the keyboard) from the main window while it loads.
        SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    void StartSystemMove() override
    {
        ReleaseCapture();
        // The system's move loop, as if the press had been on a caption; it
        // returns when the button is up. The point is where the press was.
        const DWORD pressedAt = GetMessagePos();
        SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, LPARAM(pressedAt));
    }

    void SetTabOrder(const std::vector<ControlPeer*>& order) override
    {
        tabOrder_.clear();
        for (ControlPeer* peer : order) {
            HWND control = HandleOf(peer);
            if (!control)
                continue;
            tabOrder_.push_back(control);
            SetWindowLongPtrW(control, GWL_STYLE,
                              GetWindowLongPtrW(control, GWL_STYLE) | WS_TABSTOP);
        }
    }

    std::unique_ptr<LabelPeer> CreateLabel(Label& c, ContainerPeer container) override
    {
        return MakeLabel(Site(container), c);
    }
    std::unique_ptr<CommandButtonPeer> CreateCommandButton(CommandButton& c,
                                                           ContainerPeer container) override
    {
        return MakeCommandButton(Site(container), c);
    }
    std::unique_ptr<CheckBoxPeer> CreateCheckBox(CheckBox& c, ContainerPeer container) override
    {
        return MakeCheckBox(Site(container), c);
    }
    std::unique_ptr<PictureBoxPeer> CreatePictureBox(PictureBox& c,
                                                     ContainerPeer container) override
    {
        return MakePictureBox(Site(container), c);
    }
    std::unique_ptr<ShapePeer> CreateShape(Shape& c, ContainerPeer container) override
    {
        return MakeShape(Site(container), c);
    }
    std::unique_ptr<ScrollBarPeer> CreateScrollBar(ScrollBar& c, ContainerPeer container) override
    {
        return MakeScrollBar(Site(container), c);
    }
    std::unique_ptr<ProgressBarPeer> CreateProgressBar(ProgressBar& c,
                                                       ContainerPeer container) override
    {
        return MakeProgressBar(Site(container), c);
    }

    HWND SurfaceHandle() const override { return hwnd_; }

    // The window procedure meets the window before CreateWindowExW returns.
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool NavigationKey(const MSG& msg);

protected:
    void PaintContent(HDC dc) override
    {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(dc, &client, background_);
        PaintShapes(dc);
    }

private:
    ControlSite Site(ContainerPeer container)
    {
        Surface* inside = SurfaceOf(container);
        return {backend_, hwnd_, background_, inside ? *inside : *this};
    }

    bool CanFocus(HWND control) const
    {
        return IsWindow(control) && IsWindowVisible(control) && IsWindowEnabled(control);
    }

    // The focus goes back where it was when the window was last active, or to
    // the first control in the tab order.
    void RestoreFocus()
    {
        if (lastFocus_ && IsChild(hwnd_, lastFocus_) && CanFocus(lastFocus_)) {
            SetFocus(lastFocus_);
            return;
        }
        for (HWND control : tabOrder_)
            if (CanFocus(control)) {
                SetFocus(control);
                return;
            }
    }

    void MoveFocus(bool backwards)
    {
        if (tabOrder_.empty())
            return;
        const HWND focus = GetFocus();
        auto at = std::find_if(tabOrder_.begin(), tabOrder_.end(), [focus](HWND control) {
            return focus && (control == focus || IsChild(control, focus));
        });
        const auto count = std::ptrdiff_t(tabOrder_.size());
        std::ptrdiff_t index =
            at == tabOrder_.end() ? (backwards ? count : -1) : std::distance(tabOrder_.begin(), at);
        for (std::ptrdiff_t step = 0; step < count; ++step) {
            index = ((backwards ? index - 1 : index + 1) % count + count) % count;
            HWND next = tabOrder_[std::size_t(index)];
            if (CanFocus(next)) {
                SetFocus(next);
                return;
            }
        }
    }

    Win32Backend& backend_;
    Form& form_;
    HWND hwnd_ = nullptr;
    DWORD exStyle_ = 0;
    BorderStyle border_ = BorderStyle::Sizable;
    HBRUSH background_ = nullptr;
    bool ownsBackground_ = false;
    HICON smallIcon_ = nullptr;
    HICON bigIcon_ = nullptr;
    MousePointer pointer_ = MousePointer::Default;
    bool placed_ = false;
    std::vector<HWND> tabOrder_;
    HWND lastFocus_ = nullptr;
};

LRESULT Win32Window::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleChildMessage(message, wParam, lParam, result))
        return result;

    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd, &paint);
        PaintShapes(dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_CLOSE: {
        // The form decides; unloading destroys this peer and its window, so
        // nothing of it is used after this call.
        Form& form = form_;
        form.PeerCloseRequested();
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && pointer_ == MousePointer::Hourglass) {
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514))); // IDC_WAIT
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus))
                lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool Win32Window::NavigationKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN)
        return false;
    if (msg.wParam == VK_TAB) {
        if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
            return false;
        MoveFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (msg.wParam == VK_RETURN) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus) && IsPushButton(focus)) {
            SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

Win32Window* WindowOf(HWND hwnd)
{
    return reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

} // namespace

LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Win32Window*>(create->lpCreateParams);
        if (self) {
            self->Attach(hwnd);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    Win32Window* self = WindowOf(hwnd);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (!self || message == WM_NCDESTROY)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Handle(hwnd, message, wParam, lParam);
}

bool HandleNavigationKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !msg.hwnd)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    wchar_t name[32] = {};
    if (!root || !GetClassNameW(root, name, int(std::size(name))) ||
        std::wcscmp(name, Win32Backend::FormClass) != 0)
        return false;
    Win32Window* window = WindowOf(root);
    return window && window->NavigationKey(msg);
}

std::unique_ptr<WindowPeer> MakeWindow(Win32Backend& backend, Form& form)
{
    return std::make_unique<Win32Window>(backend, form);
}

} // namespace platform::win32
