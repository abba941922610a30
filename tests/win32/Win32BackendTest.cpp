// The Win32 backend on a real desktop (Wine's, in the tests): what each peer
// makes of the platform's calls, read back from the windows themselves.

#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Window.h"

#include "assets/Cursors.h"
#include "frames/FrameCatalogue.h"
#include "frames/FrameWindow.h"
#include "frames/MakeFrameRegion.h"
#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/ProgressBar.h"
#include "platform/Runtime.h"
#include "platform/Shape.h"
#include "platform/Timer.h"
#include "tests/win32/FramePrinter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace
{

using platform::Bitmap;
using platform::BorderStyle;
using platform::MouseButton;
using platform::MouseEventArgs;
using platform::PixelRect;
using platform::WindowLayout;
using platform::win32::Win32Backend;

constexpr platform::Colour Red = platform::Rgb(255, 0, 0);
constexpr platform::Colour Blue = platform::Rgb(0, 0, 255);
constexpr platform::Colour Green = platform::Rgb(0, 255, 0);

HWND ToHwnd(platform::WindowHandle handle)
{
    return reinterpret_cast<HWND>(handle.value);
}

std::wstring TextOf(HWND hwnd)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return text;
}

// The child window of `parent` that lies at (x, y) of its client area,
// invisible ones skipped.
HWND ChildAt(HWND parent, int x, int y)
{
    return ChildWindowFromPointEx(parent, POINT{x, y}, CWP_SKIPINVISIBLE);
}

// A picture of two rows' colours: the top half `top`, the bottom half `bottom`.
Bitmap TwoColours(std::int32_t width, std::int32_t height, Bitmap::RowOrder order,
                  platform::Colour top, platform::Colour bottom)
{
    Bitmap bitmap(width, height, 24, order);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, y < height / 2 ? top : bottom);
    return bitmap;
}

// A window with one of each control, made from a layout the test chooses.
class Probe : public platform::Form
{
public:
    explicit Probe(WindowLayout layout, std::function<Bitmap()> picture = {})
        : Form("Probe", std::move(layout)),
          Picture(*this, "Picture", {.bounds = {10, 10, 60, 40}, .tabIndex = 3},
                  {.picture = std::move(picture),
                   .border = false,
                   .cursor = assets::CursorOf(assets::PointingHandCursor()),
                   .toolTip = "www.rasterblick.example"}),
          Caption(*this, "Caption", {.bounds = {30, 4, 28, 12}, .container = &Picture},
                  {.caption = "", .wordWrap = false}),
          Note(*this, "Note", {.bounds = {80, 10, 100, 30}},
               {.caption = "Bildschirmauflösung?  Überblick",
                .backColour = platform::Rgb(255, 255, 255)}),
          Button(*this, "Button", {.bounds = {80, 50, 100, 25}, .tabIndex = 1},
                 {.caption = "Start"}),
          Cover(*this, "Cover", {.bounds = {80, 50, 100, 25}}),
          Box(*this, "Box", {.bounds = {10, 80, 90, 20}, .tabIndex = 2}, {.caption = "800 x 600"}),
          Hidden(*this, "Hidden", {.bounds = {110, 80, 90, 20}, .visible = false, .tabIndex = 4},
                 {.caption = "hidden"}),
          Outline(*this, "Outline", {.bounds = {2, 2, 196, 106}}),
          Tick(*this, "Tick", {.intervalMs = 20, .enabled = false})
    {
        Button.Click = [this] { ++buttonClicks; };
        Box.Click = [this] { ++boxClicks; };
        Picture.Click = [this] { ++pictureClicks; };
        Picture.MouseDown = [this](const MouseEventArgs& args) { presses.push_back(args); };
        Tick.Tick = [this] { ++ticks; };
    }

    platform::PictureBox Picture;
    platform::Label Caption;
    platform::Label Note;
    platform::CommandButton Button;
    platform::ProgressBar Cover;
    platform::CheckBox Box;
    platform::CheckBox Hidden;
    platform::Shape Outline;
    platform::Timer Tick;

    int buttonClicks = 0;
    int boxClicks = 0;
    int pictureClicks = 0;
    int ticks = 0;
    bool cancelUnload = false;
    std::vector<MouseEventArgs> presses;

    HWND Window() const { return ToHwnd(hWnd()); }

private:
    void Form_Unload(bool& cancel) override { cancel = cancelUnload; }
};

WindowLayout SizableLayout()
{
    return {.caption = "RASTERBLICK",
            .borderStyle = BorderStyle::Sizable,
            .clientWidth = 199,
            .clientHeight = 175,
            .backColour = platform::Rgb(224, 224, 224)};
}

class Win32BackendTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        backend = Win32Backend::Create(error);
        ASSERT_TRUE(backend) << "no Win32 backend (is DISPLAY set?): " << error;
        runtime = std::make_unique<platform::Runtime>(*backend);
    }

    // Makes the probe window with `layout` and loads it.
    Probe& LoadProbe(WindowLayout layout = SizableLayout(), std::function<Bitmap()> picture = {})
    {
        runtime->Register("Probe",
                          [layout, picture] { return std::make_unique<Probe>(layout, picture); });
        Probe& probe = static_cast<Probe&>(runtime->Named("Probe"));
        probe.Load();
        return probe;
    }

    // Handles events until `done` says so, for at most `limit`.
    bool PumpUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds limit = std::chrono::milliseconds(3000))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            backend->DoEvents();
            Sleep(5);
        }
        return true;
    }

    static HWND PeerWindow(const platform::Control& control)
    {
        return platform::win32::HandleOf(control.Peer());
    }

    std::unique_ptr<Win32Backend> backend;
    // Goes first: the windows before the backend they were made with.
    std::unique_ptr<platform::Runtime> runtime;
};

// --- Windows ---------------------------------------------------------------

struct GeometryCase {
    const char* name;
    BorderStyle border;
    bool inTaskbar;
    std::int32_t width;
    std::int32_t height;
    friend void PrintTo(const GeometryCase& c, std::ostream* out) { *out << c.name; }
};

class WindowGeometry : public Win32BackendTest, public ::testing::WithParamInterface<GeometryCase>
{
};

TEST_P(WindowGeometry, ClientAreaIsTheLayoutsAndTheStylesFollowTheBorder)
{
    const GeometryCase& c = GetParam();
    WindowLayout layout = SizableLayout();
    layout.borderStyle = c.border;
    layout.showInTaskbar = c.inTaskbar;
    layout.clientWidth = c.width;
    layout.clientHeight = c.height;
    HWND hwnd = LoadProbe(layout).Window();
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));

    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.height);

    const auto style = DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto ex = DWORD(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    EXPECT_EQ((ex & WS_EX_TOOLWINDOW) != 0, !c.inTaskbar);
    if (c.border == BorderStyle::None) {
        // Managed by the window manager, yet no caption, no sizing border:
        // the outer size is the client size.
        EXPECT_EQ(style & (WS_POPUP | WS_SYSMENU), DWORD(WS_POPUP | WS_SYSMENU));
        EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0u);
        RECT outer{};
        GetWindowRect(hwnd, &outer);
        EXPECT_EQ(outer.right - outer.left, c.width);
        EXPECT_EQ(outer.bottom - outer.top, c.height);
    } else {
        EXPECT_EQ(style & WS_CAPTION, DWORD(WS_CAPTION));
        EXPECT_EQ((style & WS_THICKFRAME) != 0, c.border == BorderStyle::Sizable);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Borders, WindowGeometry,
    ::testing::Values(GeometryCase{"Start", BorderStyle::Sizable, true, 199, 175},
                      GeometryCase{"Fixed", BorderStyle::FixedSingle, true, 300, 200},
                      GeometryCase{"Frame", BorderStyle::None, false, 800, 600},
                      // Larger than the screen: a frame keeps its size.
                      GeometryCase{"LargeFrame", BorderStyle::None, false, 2400, 1500}),
    [](const ::testing::TestParamInfo<GeometryCase>& p) { return std::string(p.param.name); });

TEST_F(Win32BackendTest, FirstShowAfterALoadCentresLaterShowsKeepThePlace)
{
    Probe& probe = LoadProbe();
    probe.Show();
    HWND hwnd = probe.Window();
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    EXPECT_TRUE(IsWindowVisible(hwnd));

    SetWindowPos(hwnd, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    probe.Hide();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    probe.Show();
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);

    probe.Unload();
    probe.Show();
    GetWindowRect(probe.Window(), &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
}

TEST_F(Win32BackendTest, AWindowTallerThanTheScreenShowsWithItsTopEdgeOnTheScreen)
{
    WindowLayout layout = SizableLayout();
    layout.borderStyle = BorderStyle::None;
    layout.clientWidth = GetSystemMetrics(SM_CXSCREEN) + 400;
    layout.clientHeight = GetSystemMetrics(SM_CYSCREEN) + 300;
    Probe& probe = LoadProbe(layout);
    probe.Show();
    RECT r{};
    GetWindowRect(probe.Window(), &r);
    // Still centred across; centred up and down, its top band would be off
    // the screen and nothing would be left to drag it by.
    EXPECT_EQ(r.left, -200);
    EXPECT_EQ(r.top, 0);
}

TEST_F(Win32BackendTest, ShapeIsTheRegionInClientCoordinatesAndNullGivesTheRectangleBack)
{
    // A window with a caption: the region must start at the client area.
    Probe& probe = LoadProbe();
    HWND hwnd = probe.Window();
    const platform::Region ring{
        {0, 0, 199, 5}, {0, 5, 5, 170}, {194, 5, 199, 170}, {0, 170, 199, 175}};
    probe.SetShape(&ring, true);

    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    const int dx = client.x - outer.left;
    const int dy = client.y - outer.top;
    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(hwnd, applied), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(applied, dx, dy));
    EXPECT_TRUE(PtInRegion(applied, dx + 198, dy + 174));
    EXPECT_FALSE(PtInRegion(applied, dx + 100, dy + 80));
    EXPECT_FALSE(PtInRegion(applied, dx + 199, dy));
    RECT box{};
    GetRgnBox(applied, &box);
    EXPECT_EQ(box.left, dx);
    EXPECT_EQ(box.top, dy);
    EXPECT_EQ(box.right - box.left, 199);
    EXPECT_EQ(box.bottom - box.top, 175);

    probe.SetShape(nullptr, true);
    EXPECT_EQ(GetWindowRgn(hwnd, applied), ERROR);
    DeleteObject(applied);
}

class FrameOnWindows : public Win32BackendTest,
                       public ::testing::WithParamInterface<frames::FrameCatalogueRow>
{
};

TEST_P(FrameOnWindows, LoadsHiddenExactlyItsSizeShapedToItsBandAndTopmost)
{
    const frames::FrameCatalogueRow& row = GetParam();
    runtime->Register(std::string(row.window),
                      [&row] { return std::make_unique<frames::FrameWindow>(row); });
    auto& frame = static_cast<frames::FrameWindow&>(runtime->Named(row.window));
    HWND active = GetActiveWindow();
    frame.Load();
    HWND hwnd = ToHwnd(frame.hWnd());

    EXPECT_FALSE(IsWindowVisible(hwnd));
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.right - outer.left, row.width);
    EXPECT_EQ(outer.bottom - outer.top, row.height);
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // Joining the topmost windows does not take the activation.
    EXPECT_EQ(GetActiveWindow(), active);

    // The applied region is the union of the scanned rows.
    const std::optional<platform::Region> band = frames::MakeFrameRegion(frame.Picture1);
    ASSERT_TRUE(band);
    HRGN expected = CreateRectRgn(0, 0, 0, 0);
    for (const platform::Rect& r : *band) {
        HRGN one = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(expected, expected, one, RGN_OR);
        DeleteObject(one);
    }
    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(hwnd, applied), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(applied, expected));
    DeleteObject(applied);
    DeleteObject(expected);

    frame.Check1.SetValue(0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

INSTANTIATE_TEST_SUITE_P(SixFrames, FrameOnWindows, ::testing::ValuesIn(frames::FrameCatalogue),
                         [](const ::testing::TestParamInfo<frames::FrameCatalogueRow>& p) {
                             return std::string(p.param.window);
                         });

TEST_F(Win32BackendTest, ClosingAsksTheFormWhichUnloadsOrKeepsTheWindow)
{
    Probe& probe = LoadProbe();
    probe.Show();
    HWND hwnd = probe.Window();

    probe.cancelUnload = true;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    backend->DoEvents();
    EXPECT_TRUE(probe.IsLoaded());
    EXPECT_TRUE(IsWindow(hwnd));

    probe.cancelUnload = false;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    backend->DoEvents();
    EXPECT_FALSE(probe.IsLoaded());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Win32BackendTest, WindowIconsAreTheLayoutsPictureSmallAndDoubled)
{
    WindowLayout layout = SizableLayout();
    layout.icon = [] {
        Bitmap icon(16, 16, 32);
        for (std::int32_t y = 0; y < 16; ++y)
            for (std::int32_t x = 0; x < 16; ++x)
                icon.DisplayRow(y)[x * 4 + 3] = 0xFF;
        return icon;
    };
    HWND hwnd = LoadProbe(layout).Window();
    for (const auto& [which, size] : {std::pair{ICON_SMALL, 16}, std::pair{ICON_BIG, 32}}) {
        auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, WPARAM(which), 0));
        ASSERT_NE(icon, nullptr) << which;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

// --- Controls --------------------------------------------------------------

TEST_F(Win32BackendTest, TextsArriveAsUtf16AndControlsUseTheMessageFontAtEightPoints)
{
    Probe& probe = LoadProbe();
    EXPECT_EQ(TextOf(probe.Window()), L"RASTERBLICK");
    HWND note = PeerWindow(probe.Note);
    EXPECT_EQ(TextOf(note), L"Bildschirmaufl\u00f6sung?  \u00dcberblick");
    probe.Note.SetCaption("Aktuelle Bildschirmaufl\xc3\xb6sung: 1920 x 1200");
    EXPECT_EQ(TextOf(note), L"Aktuelle Bildschirmaufl\u00f6sung: 1920 x 1200");
    // What the pointer shows over a picture box is its name as well.
    EXPECT_EQ(TextOf(PeerWindow(probe.Picture)), L"www.rasterblick.example");

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    for (const platform::Control* control :
         std::initializer_list<const platform::Control*>{&probe.Note, &probe.Button, &probe.Box}) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(PeerWindow(*control), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << control->Name();
        LOGFONTW used{};
        GetObjectW(font, sizeof used, &used);
        EXPECT_EQ(used.lfHeight, height) << control->Name();
        EXPECT_STREQ(used.lfFaceName, metrics.lfMessageFont.lfFaceName) << control->Name();
    }
}

TEST_F(Win32BackendTest, ControlsAreRealWindowsControlsInTheirContainer)
{
    Probe& probe = LoadProbe();
    struct Expected {
        const platform::Control* control;
        const wchar_t* windowClass;
        HWND parent;
    };
    const HWND picture = PeerWindow(probe.Picture);
    for (const Expected& e :
         {Expected{&probe.Note, L"Static", probe.Window()},
          Expected{&probe.Caption, L"Static", picture},
          Expected{&probe.Button, L"Button", probe.Window()},
          Expected{&probe.Box, L"Button", probe.Window()},
          Expected{&probe.Cover, PROGRESS_CLASSW, probe.Window()},
          Expected{&probe.Picture, Win32Backend::PictureClass, probe.Window()}}) {
        HWND hwnd = PeerWindow(*e.control);
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        EXPECT_EQ(_wcsicmp(name, e.windowClass), 0) << e.control->Name();
        EXPECT_EQ(GetParent(hwnd), e.parent) << e.control->Name();
    }
    const auto buttonStyle = GetWindowLongPtrW(PeerWindow(probe.Button), GWL_STYLE) & 0x0F;
    EXPECT_EQ(buttonStyle, BS_PUSHBUTTON);
    const auto boxStyle = GetWindowLongPtrW(PeerWindow(probe.Box), GWL_STYLE) & 0x0F;
    EXPECT_EQ(boxStyle, BS_AUTOCHECKBOX);
    // The rectangle is drawn on the window: no window of its own.
    EXPECT_EQ(PeerWindow(probe.Outline), nullptr);
}

TEST_F(Win32BackendTest, PointerIsThePictureBoxsOwnOrTheWindowsHourglass)
{
    Probe& probe = LoadProbe();
    probe.Show();
    // What the window system asks of the window under the pointer when it moves.
    const auto pointerOver = [](HWND hwnd) {
        SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    HWND picture = PeerWindow(probe.Picture);
    HWND note = PeerWindow(probe.Note);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);

    HCURSOR hand = pointerOver(picture);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(pointerOver(note), arrow);

    probe.SetMousePointer(platform::MousePointer::Hourglass);
    EXPECT_EQ(pointerOver(note), wait);
    EXPECT_EQ(pointerOver(probe.Window()), wait);
    // A picture box's own pointer stays, as with Qt.
    EXPECT_EQ(pointerOver(picture), hand);
    probe.SetMousePointer(platform::MousePointer::Default);
    EXPECT_EQ(pointerOver(note), arrow);
}

TEST_F(Win32BackendTest, PictureBoxToolTipIsATooltipsControlOfTheWindow)
{
    Probe& probe = LoadProbe();
    struct Found {
        HWND owner;
        HWND tip;
    } found{probe.Window(), nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* f = reinterpret_cast<Found*>(lParam);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (_wcsicmp(name, TOOLTIPS_CLASSW) == 0 && GetWindow(hwnd, GW_OWNER) == f->owner) {
                f->tip = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    ASSERT_NE(found.tip, nullptr);
    EXPECT_EQ(SendMessageW(found.tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = probe.Window();
    tool.uId = reinterpret_cast<UINT_PTR>(PeerWindow(probe.Picture));
    wchar_t text[80] = {};
    tool.lpszText = text;
    SendMessageW(found.tip, TTM_GETTEXTW, WPARAM(std::size(text)), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"www.rasterblick.example");
}

TEST_F(Win32BackendTest, EachNewControlLiesAboveTheOlderOnes)
{
    Probe& probe = LoadProbe();
    HWND window = probe.Window();
    // The bar was made after the button, on the same place.
    EXPECT_EQ(ChildAt(window, 90, 60), PeerWindow(probe.Cover));
    probe.Cover.SetVisible(false);
    EXPECT_EQ(ChildAt(window, 90, 60), PeerWindow(probe.Button));
    probe.Cover.SetVisible(true);
    EXPECT_EQ(ChildAt(window, 90, 60), PeerWindow(probe.Cover));
}

TEST_F(Win32BackendTest, CheckBoxSetByTheProgramClicksOnceUserTogglesReport)
{
    Probe& probe = LoadProbe();
    HWND box = PeerWindow(probe.Box);

    // BM_SETCHECK notifies nobody; the one Click is the platform layer's.
    probe.Box.SetValue(1);
    EXPECT_EQ(probe.boxClicks, 1);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    backend->DoEvents();
    EXPECT_EQ(probe.boxClicks, 1);

    // The user's (or an assistive tool's) toggle: the box switches itself.
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(probe.Box.Value(), 0);
    EXPECT_EQ(probe.boxClicks, 2);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SendMessageW(PeerWindow(probe.Button), BM_CLICK, 0, 0);
    EXPECT_EQ(probe.buttonClicks, 1);
}

struct PressCase {
    const char* name;
    UINT down;
    UINT up;
    WPARAM keys;
    MouseButton button;
    int shift;
    bool clicks;
    friend void PrintTo(const PressCase& c, std::ostream* out) { *out << c.name; }
};

class PictureBoxPress : public Win32BackendTest, public ::testing::WithParamInterface<PressCase>
{
};

TEST_P(PictureBoxPress, ReportsButtonKeysAndPlaceAndOnlyTheLeftButtonClicks)
{
    const PressCase& c = GetParam();
    Probe& probe = LoadProbe();
    HWND picture = PeerWindow(probe.Picture);
    SendMessageW(picture, c.down, c.keys, MAKELPARAM(5, 7));
    ASSERT_EQ(probe.presses.size(), 1u);
    EXPECT_EQ(probe.presses[0].button, c.button);
    EXPECT_EQ(probe.presses[0].shift, c.shift);
    EXPECT_EQ(probe.presses[0].x, 5.0f);
    EXPECT_EQ(probe.presses[0].y, 7.0f);
    EXPECT_EQ(GetCapture(), picture);
    SendMessageW(picture, c.up, 0, MAKELPARAM(6, 8));
    EXPECT_EQ(probe.pictureClicks, c.clicks ? 1 : 0);
    EXPECT_EQ(GetCapture(), nullptr);

    // Released outside the box: no click.
    SendMessageW(picture, c.down, 0, MAKELPARAM(5, 7));
    SendMessageW(picture, c.up, 0, MAKELPARAM(-3, 8));
    EXPECT_EQ(probe.pictureClicks, c.clicks ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PictureBoxPress,
    ::testing::Values(
        PressCase{"Left", WM_LBUTTONDOWN, WM_LBUTTONUP, 0, MouseButton::Left, 0, true},
        PressCase{"ShiftLeft", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_SHIFT, MouseButton::Left, 1, true},
        PressCase{"ControlRight", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_CONTROL, MouseButton::Right, 2,
                  false},
        PressCase{"Middle", WM_MBUTTONDOWN, WM_MBUTTONUP, 0, MouseButton::Middle, 0, false}),
    [](const ::testing::TestParamInfo<PressCase>& p) { return std::string(p.param.name); });

TEST_F(Win32BackendTest, APressTakenOverByAMoveEndsWithoutAClick)
{
    Probe& probe = LoadProbe();
    HWND picture = PeerWindow(probe.Picture);
    // What a frame does: the press becomes the window system's move.
    probe.Picture.MouseDown = [](const MouseEventArgs&) { ReleaseCapture(); };
    SendMessageW(picture, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 7));
    SendMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    EXPECT_EQ(probe.pictureClicks, 0);
}

struct PaintCase {
    const char* name;
    Bitmap::RowOrder order;
    bool border;
    friend void PrintTo(const PaintCase& c, std::ostream* out) { *out << c.name; }
};

class PictureBoxPaint : public Win32BackendTest, public ::testing::WithParamInterface<PaintCase>
{
};

TEST_P(PictureBoxPaint, PaintsStraightFromTheBitmapsMemoryInEitherRowOrder)
{
    const PaintCase& c = GetParam();
    Probe& probe = LoadProbe(SizableLayout(),
                             [order = c.order] { return TwoColours(60, 40, order, Red, Blue); });
    probe.Picture.SetBorderStyle(c.border ? BorderStyle::FixedSingle : BorderStyle::None);
    probe.Show();
    HWND picture = PeerWindow(probe.Picture);
    UpdateWindow(picture);

    RECT client{};
    GetClientRect(picture, &client);
    EXPECT_EQ(client.right, c.border ? 60 - 2 * platform::PictureBox::BorderWidth : 60);

    HDC dc = GetDC(picture);
    EXPECT_EQ(GetPixel(dc, 1, 1), platform::win32::ToColorRef(Red));
    EXPECT_EQ(GetPixel(dc, 1, client.bottom - 2), platform::win32::ToColorRef(Blue));
    // Behind the transparent caption label lies the picture as well.
    HDC captionDc = GetDC(PeerWindow(probe.Caption));
    UpdateWindow(PeerWindow(probe.Caption));
    EXPECT_EQ(GetPixel(captionDc, 20, 6), platform::win32::ToColorRef(Red));
    ReleaseDC(PeerWindow(probe.Caption), captionDc);

    // Written into the bitmap, shown at the next refresh.
    Bitmap* bits = probe.Picture.Picture();
    ASSERT_NE(bits, nullptr);
    for (std::int32_t x = 0; x < 60; ++x)
        bits->SetPixel(x, 0, Green);
    probe.Picture.Refresh();
    EXPECT_EQ(GetPixel(dc, 3, 0), platform::win32::ToColorRef(Green));
    ReleaseDC(picture, dc);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureBoxPaint,
    ::testing::Values(PaintCase{"TopDown", Bitmap::RowOrder::TopDown, false},
                      PaintCase{"BottomUp", Bitmap::RowOrder::BottomUp, false},
                      PaintCase{"BottomUpInABorder", Bitmap::RowOrder::BottomUp, true}),
    [](const ::testing::TestParamInfo<PaintCase>& p) { return std::string(p.param.name); });

TEST_F(Win32BackendTest, ProgressBarTakesRangeAndPositionAtOnce)
{
    Probe& probe = LoadProbe();
    probe.Show();
    HWND bar = PeerWindow(probe.Cover);
    probe.Cover.SetMax(100);
    for (float value : {10.0f, 45.0f, 100.0f, 0.0f}) {
        probe.Cover.SetValue(value);
        EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), LRESULT(value));
        // Painted already: nothing waits in the queue for it.
        RECT pending{};
        EXPECT_FALSE(GetUpdateRect(bar, &pending, FALSE)) << value;
    }
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
}

TEST_F(Win32BackendTest, TabMovesThroughTheTabOrderSkippingHiddenControls)
{
    Probe& probe = LoadProbe();
    probe.Show();
    SetFocus(PeerWindow(probe.Button));
    std::vector<HWND> visited;
    for (int i = 0; i < 4; ++i) {
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        ASSERT_TRUE(platform::win32::HandleNavigationKey(tab));
        visited.push_back(GetFocus());
    }
    // Tab indexes 1 Button, 2 Box, 3 Picture, 4 Hidden (invisible): round again.
    EXPECT_EQ(visited, (std::vector<HWND>{PeerWindow(probe.Box), PeerWindow(probe.Picture),
                                          PeerWindow(probe.Button), PeerWindow(probe.Box)}));

    // Enter presses the focused button.
    SetFocus(PeerWindow(probe.Button));
    MSG enter{GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(platform::win32::HandleNavigationKey(enter));
    EXPECT_EQ(probe.buttonClicks, 1);
}

// --- Services --------------------------------------------------------------

TEST_F(Win32BackendTest, TimersTickThroughTheMessageLoopOnlyWhileEnabled)
{
    Probe& probe = LoadProbe();
    probe.Tick.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return probe.ticks >= 2; }));
    probe.Tick.SetEnabled(false);
    const int ticks = probe.ticks;
    PumpUntil([] { return false; }, std::chrono::milliseconds(150));
    EXPECT_EQ(probe.ticks, ticks);
}

TEST_F(Win32BackendTest, ScreenIsInPixelsTimesTwipsPerPixelOfTheDisplaysDpi)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const platform::ScreenMetrics metrics = backend->Screen();
    EXPECT_FLOAT_EQ(metrics.twipsPerPixelX, 1440.0f / float(dpi));
    EXPECT_FLOAT_EQ(metrics.widthTwips,
                    float(GetSystemMetrics(SM_CXSCREEN)) * metrics.twipsPerPixelX);
    EXPECT_FLOAT_EQ(metrics.heightTwips,
                    float(GetSystemMetrics(SM_CYSCREEN)) * metrics.twipsPerPixelY);
    // Not DPI aware: the logical pixel is 1/96 inch.
    EXPECT_EQ(dpi, 96);
}

TEST_F(Win32BackendTest, ShellResultIsTheShellsOwnNumber)
{
    // No such file: the shell says so with a number of 32 or below.
    const std::int32_t result = backend->ShellExecute({.owner = backend->DesktopWindow(),
                                                       .verb = "Open",
                                                       .file = "C:\\rasterblick-no-such-file.rbx",
                                                       .parameters = "",
                                                       .directory = "C:\\"});
    EXPECT_GE(result, 0);
    EXPECT_LE(result, 32);
    EXPECT_EQ(ToHwnd(backend->DesktopWindow()), GetDesktopWindow());
}

} // namespace
