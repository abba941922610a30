#include "platform/win32/Win32Controls.h"

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/ProgressBar.h"
#include "platform/RunTimeError.h"
#include "platform/ScrollBar.h"
#include "platform/Shape.h"
#include "platform/win32/Icons.h"
#include "platform/win32/Win32Backend.h"

#include <cmath>
#include <cstdint>

namespace platform::win32
{

namespace
{

// The child-window identifiers; Windows wants one per control, unique within
// its parent.
int nextControlId = 100;

int LowSigned(LPARAM value)
{
    return std::int16_t(std::uint16_t(std::uintptr_t(value) & 0xFFFF));
}
int HighSigned(LPARAM value)
{
    return std::int16_t(std::uint16_t((std::uintptr_t(value) >> 16) & 0xFFFF));
}

LRESULT BrushResult(HBRUSH brush)
{
    return reinterpret_cast<LRESULT>(brush);
}

// What every control peer of this backend is: one child window of its
// surface, made above the controls made before it.
class Win32Control : public virtual ControlPeer
{
public:
    Win32Control(const ControlSite& site, const Control& control, const wchar_t* windowClass,
                 DWORD style, DWORD exStyle, std::string_view text)
        : parent_(site.parent)
    {
        const PixelRect& b = control.Bounds();
        const DWORD visible = control.Visible() ? WS_VISIBLE : 0;
        hwnd_ = CreateWindowExW(
            exStyle, windowClass, Widen(text).c_str(), WS_CHILD | WS_CLIPSIBLINGS | visible | style,
            b.x, b.y, b.width, b.height, site.parent.SurfaceHandle(),
            reinterpret_cast<HMENU>(INT_PTR(nextControlId++)), site.backend.Instance(), nullptr);
        if (!hwnd_)
            throw RunTimeError(RunTimeError::WindowSystem,
                               "cannot make the control " + control.QualifiedName() + " (error " +
                                   std::to_string(GetLastError()) + ")");
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(site.backend.Font()), FALSE);
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    ~Win32Control() override
    {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }

    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    void SetVisible(bool visible) override { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
    void SetBounds(const PixelRect& b) override
    {
        SetWindowPos(hwnd_, nullptr, b.x, b.y, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND Hwnd() const { return hwnd_; }

    // WM_CTLCOLORSTATIC: colours the control with `dc`; true with the brush
    // in `result` when this control has colours of its own.
    virtual bool Colour(HDC dc, LRESULT& result)
    {
        (void)dc;
        (void)result;
        return false;
    }
    // WM_COMMAND: a notification of the control (BN_CLICKED, ...).
    virtual void Command(WORD code) { (void)code; }

protected:
    // Text on what lies beneath: the surface paints itself under the control.
    LRESULT Transparent(HDC dc)
    {
        parent_.PaintUnder(hwnd_, dc);
        SetBkMode(dc, TRANSPARENT);
        return BrushResult(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    }

    Surface& parent_;
    HWND hwnd_ = nullptr;
};

Win32Control* ControlOf(HWND hwnd)
{
    return hwnd ? reinterpret_cast<Win32Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

HBRUSH BrushFor(const std::optional<Colour>& colour)
{
    return colour ? CreateSolidBrush(ToColorRef(*colour)) : nullptr;
}

DWORD LabelStyle(const LabelLayout& layout)
{
    // SS_NOPREFIX: an ampersand is shown, not taken for a mnemonic. Without
    // SS_NOTIFY a static control lets the mouse through to what is beneath.
    if (layout.alignment == TextAlignment::Centre)
        return SS_NOPREFIX | SS_CENTER;
    return SS_NOPREFIX | (layout.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
}

class Win32Label final : public LabelPeer, public Win32Control
{
public:
    Win32Label(const ControlSite& site, Label& control)
        : Win32Control(site, control, L"STATIC", LabelStyle(control.Layout()), 0,
                       control.Caption()),
          layout_(control.Layout()), back_(BrushFor(layout_.backColour))
    {
    }
    ~Win32Label() override
    {
        if (back_)
            DeleteObject(back_);
    }
    Win32Label(const Win32Label&) = delete;
    Win32Label& operator=(const Win32Label&) = delete;

    void SetCaption(std::string_view caption) override
    {
        SetWindowTextW(hwnd_, Widen(caption).c_str());
    }

    bool Colour(HDC dc, LRESULT& result) override
    {
        SetTextColor(dc, layout_.foreColour ? ToColorRef(*layout_.foreColour)
                                            : GetSysColor(COLOR_WINDOWTEXT));
        if (back_) {
            SetBkColor(dc, ToColorRef(*layout_.backColour));
            result = BrushResult(back_);
        } else {
            result = Transparent(dc);
        }
        return true;
    }

private:
    const LabelLayout& layout_;
    HBRUSH back_;
};

class Win32CommandButton final : public CommandButtonPeer, public Win32Control
{
public:
    Win32CommandButton(const ControlSite& site, CommandButton& control)
        : Win32Control(site, control, L"BUTTON", BS_PUSHBUTTON, 0, control.Caption()),
          control_(control)
    {
    }
    void SetCaption(std::string_view caption) override
    {
        SetWindowTextW(hwnd_, Widen(caption).c_str());
    }
    void Command(WORD code) override
    {
        if (code == BN_CLICKED)
            control_.PeerClicked();
    }

private:
    CommandButton& control_;
};

class Win32CheckBox final : public CheckBoxPeer, public Win32Control
{
public:
    Win32CheckBox(const ControlSite& site, CheckBox& control)
        : Win32Control(site, control, L"BUTTON", BS_AUTOCHECKBOX, 0, control.Caption()),
          control_(control), back_(BrushFor(control.Layout().backColour))
    {
        SetChecked(control.Value() == 1);
    }
    ~Win32CheckBox() override
    {
        if (back_)
            DeleteObject(back_);
    }
    Win32CheckBox(const Win32CheckBox&) = delete;
    Win32CheckBox& operator=(const Win32CheckBox&) = delete;

    void SetCaption(std::string_view caption) override
    {
        SetWindowTextW(hwnd_, Widen(caption).c_str());
    }
    // BM_SETCHECK notifies nobody: a change by the program raises Click in
    // the platform layer only, once.
    void SetChecked(bool checked) override
    {
        SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // The box has switched itself (a click, the space bar, an assistive
    // tool's default action); BN_CLICKED says so afterwards.
    void Command(WORD code) override
    {
        if (code == BN_CLICKED)
            control_.PeerToggled(SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED);
    }
    bool Colour(HDC dc, LRESULT& result) override
    {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        if (back_) {
            SetBkColor(dc, ToColorRef(*control_.Layout().backColour));
            result = BrushResult(back_);
        } else {
            result = Transparent(dc);
        }
        return true;
    }

private:
    CheckBox& control_;
    HBRUSH back_;
};

// A picture box: paints its bitmap straight from the bitmap's memory, inside
// an optional sunken border, and holds the controls placed in it.
class Win32PictureBox final : public PictureBoxPeer, public Win32Control, public Surface
{
public:
    Win32PictureBox(const ControlSite& site, PictureBox& control)
        : Win32Control(site, control, Win32Backend::PictureClass, WS_CLIPCHILDREN,
                       control.HasBorder() ? WS_EX_CLIENTEDGE : 0, {}),
          control_(control), window_(site.window), background_(site.background),
          picture_(control.Picture())
    {
        SetCursor(control.Layout().cursor.get());
        if (!control.Layout().toolTip.empty())
            SetToolTip(control.Layout().toolTip);
    }
    ~Win32PictureBox() override
    {
        if (tooltip_)
            DestroyWindow(tooltip_);
        if (cursor_)
            DestroyCursor(cursor_);
    }
    Win32PictureBox(const Win32PictureBox&) = delete;
    Win32PictureBox& operator=(const Win32PictureBox&) = delete;

    void SetPicture(const Bitmap* picture) override
    {
        picture_ = picture;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }

    void SetBorder(bool sunken) override
    {
        auto ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
        ex = sunken ? (ex | WS_EX_CLIENTEDGE) : (ex & ~LONG_PTR(WS_EX_CLIENTEDGE));
        SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex);
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void SetCursor(const CursorImage* cursor) override
    {
        if (cursor_)
            DestroyCursor(cursor_);
        cursor_ = cursor ? MakeCursor(cursor->image, cursor->hotX, cursor->hotY) : nullptr;
    }

    void SetToolTip(std::string_view text) override
    {
        tipText_ = Widen(text);
        // What the pointer shows is also the name a screen reader reads.
        SetWindowTextW(hwnd_, tipText_.c_str());
        if (!tooltip_ && tipText_.empty())
            return;
        if (!tooltip_) {
            tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
            if (!tooltip_)
                return;
        }
        TOOLINFOW tool{};
        // The size every version of the common controls knows.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
        tool.lpszText = tipText_.data();
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        if (!tipText_.empty())
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    void Refresh() override
    {
        // Now, and the controls inside too: a transparent one shows the
        // picture beneath it.
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    HWND SurfaceHandle() const override { return hwnd_; }

    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = 0;
        if (HandleChildMessage(message, wParam, lParam, result))
            return result;
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(hwnd, &paint);
            PaintContent(dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            if (cursor_ && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(cursor_);
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            return Press(MouseButton::Left, wParam, lParam);
        case WM_RBUTTONDOWN:
            return Press(MouseButton::Right, wParam, lParam);
        case WM_MBUTTONDOWN:
            return Press(MouseButton::Middle, wParam, lParam);
        case WM_LBUTTONUP:
            return Release(MouseButton::Left, lParam);
        case WM_RBUTTONUP:
            return Release(MouseButton::Right, lParam);
        case WM_MBUTTONUP:
            return Release(MouseButton::Middle, lParam);
        case WM_CAPTURECHANGED:
            // The press is over without a click: the window system's move
            // took the pointer, or another window did.
            pressed_ = false;
            break;
        default:
            break;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

protected:
    void PaintContent(HDC dc) override
    {
        RECT client{};
        GetClientRect(hwnd_, &client);
        LONG right = 0;
        LONG bottom = 0;
        if (picture_ && !picture_->IsEmpty()) {
            right = picture_->Width();
            bottom = picture_->Height();
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            info.bmiHeader.biWidth = picture_->Width();
            // A negative height is a top-down bitmap.
            info.bmiHeader.biHeight = picture_->Order() == Bitmap::RowOrder::TopDown
                                          ? -picture_->Height()
                                          : picture_->Height();
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = WORD(picture_->BitsPerPixel());
            info.bmiHeader.biCompression = BI_RGB;
            SetDIBitsToDevice(dc, 0, 0, DWORD(picture_->Width()), DWORD(picture_->Height()), 0, 0,
                              0, UINT(picture_->Height()), picture_->Bits(), &info, DIB_RGB_COLORS);
        }
        // Beyond the picture: the window's back colour.
        const RECT beside{right, 0, client.right, client.bottom};
        const RECT below{0, bottom, right, client.bottom};
        if (beside.right > beside.left)
            FillRect(dc, &beside, background_);
        if (below.bottom > below.top && below.right > below.left)
            FillRect(dc, &below, background_);
        PaintShapes(dc);
    }

private:
    LRESULT Press(MouseButton button, WPARAM wParam, LPARAM lParam)
    {
        if (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_TABSTOP)
            SetFocus(hwnd_);
        SetCapture(hwnd_);
        pressed_ = true;
        pressedButton_ = button;
        MouseEventArgs args;
        args.button = button;
        args.shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) |
                     (GetKeyState(VK_MENU) < 0 ? 4 : 0);
        args.x = float(LowSigned(lParam));
        args.y = float(HighSigned(lParam));
        // The handler may unload the window and so destroy this peer: nothing
        // of it is used afterwards.
        control_.PeerMouseDown(args);
        return 0;
    }

    LRESULT Release(MouseButton button, LPARAM lParam)
    {
        if (!pressed_ || button != pressedButton_)
            return 0;
        pressed_ = false;
        ReleaseCapture();
        RECT client{};
        GetClientRect(hwnd_, &client);
        const POINT at{LowSigned(lParam), HighSigned(lParam)};
        // A click is the left button's, as everywhere on Windows.
        if (button == MouseButton::Left && PtInRect(&client, at))
            control_.PeerClicked();
        return 0;
    }

    PictureBox& control_;
    HWND window_;
    HBRUSH background_;
    const Bitmap* picture_;
    HCURSOR cursor_ = nullptr;
    HWND tooltip_ = nullptr;
    std::wstring tipText_;
    bool pressed_ = false;
    MouseButton pressedButton_ = MouseButton::Left;
};

// Only a holder of a value here: the program's scroll bars are never seen.
class Win32ScrollBar final : public ScrollBarPeer, public Win32Control
{
public:
    Win32ScrollBar(const ControlSite& site, ScrollBar& control)
        : Win32Control(site, control, L"SCROLLBAR", SBS_HORZ, 0, {})
    {
        SetRange(control.Min(), control.Max());
        SetValue(control.Value());
    }
    void SetRange(std::int16_t min, std::int16_t max) override
    {
        SetScrollRange(hwnd_, SB_CTL, min, max, IsWindowVisible(hwnd_));
    }
    void SetValue(std::int16_t value) override
    {
        SetScrollPos(hwnd_, SB_CTL, value, IsWindowVisible(hwnd_));
    }
};

class Win32ProgressBar final : public ProgressBarPeer, public Win32Control
{
public:
    Win32ProgressBar(const ControlSite& site, ProgressBar& control)
        : Win32Control(site, control, PROGRESS_CLASSW, 0, 0, {})
    {
        SetRange(control.Min(), control.Max());
        SendMessageW(hwnd_, PBM_SETPOS, WPARAM(std::lround(control.Value())), 0);
    }
    void SetRange(float min, float max) override
    {
        SendMessageW(hwnd_, PBM_SETRANGE32, WPARAM(std::lround(min)), LPARAM(std::lround(max)));
    }
    void SetValue(float value) override
    {
        const auto position = WPARAM(std::lround(value));
        // With visual styles the bar glides up to a higher position on a
        // timer of its own, which does not run while the loading keeps the
        // message loop still; a step down it shows at once. Hence one above,
        // then the position.
        SendMessageW(hwnd_, PBM_SETPOS, position + 1, 0);
        SendMessageW(hwnd_, PBM_SETPOS, position, 0);
        // Painted now: the loading does not let the message loop turn.
        UpdateWindow(hwnd_);
    }
};

} // namespace

std::unique_ptr<LabelPeer> MakeLabel(const ControlSite& site, Label& control)
{
    return std::make_unique<Win32Label>(site, control);
}
std::unique_ptr<CommandButtonPeer> MakeCommandButton(const ControlSite& site,
                                                     CommandButton& control)
{
    return std::make_unique<Win32CommandButton>(site, control);
}
std::unique_ptr<CheckBoxPeer> MakeCheckBox(const ControlSite& site, CheckBox& control)
{
    return std::make_unique<Win32CheckBox>(site, control);
}
std::unique_ptr<PictureBoxPeer> MakePictureBox(const ControlSite& site, PictureBox& control)
{
    return std::make_unique<Win32PictureBox>(site, control);
}
std::unique_ptr<ShapePeer> MakeShape(const ControlSite& site, Shape& control)
{
    return std::make_unique<Win32Shape>(site.parent, control.Bounds(), control.Visible());
}
std::unique_ptr<ScrollBarPeer> MakeScrollBar(const ControlSite& site, ScrollBar& control)
{
    return std::make_unique<Win32ScrollBar>(site, control);
}
std::unique_ptr<ProgressBarPeer> MakeProgressBar(const ControlSite& site, ProgressBar& control)
{
    return std::make_unique<Win32ProgressBar>(site, control);
}

Surface* SurfaceOf(ControlPeer* peer)
{
    return dynamic_cast<Win32PictureBox*>(peer);
}

HWND HandleOf(ControlPeer* peer)
{
    auto* control = dynamic_cast<Win32Control*>(peer);
    return control ? control->Hwnd() : nullptr;
}

bool HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (Win32Control* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
            // The control may be gone when this returns.
            control->Command(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLORSTATIC:
        if (Win32Control* control = ControlOf(reinterpret_cast<HWND>(lParam)))
            return control->Colour(reinterpret_cast<HDC>(wParam), result);
        return false;
    default:
        return false;
    }
}

LRESULT CALLBACK PictureWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Every window of this class is a picture box's; until its peer has
    // taken it (and again while it goes) it behaves as any window.
    auto* control = ControlOf(hwnd);
    if (auto* picture = dynamic_cast<Win32PictureBox*>(control))
        return picture->Handle(hwnd, message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace platform::win32
