// Reads a top-level window of another program and its controls, as a screen
// reader on Windows would from the window system: class, visibility, check
// state, place on the screen and text, one control a line. The program test
// reads RASTERBLICK's window with it under Wine, which has no accessibility
// bus for the Linux tools.
//
//   window-reader.exe TITLE
//
// Prints, tab-separated: handle, class, visible (0/1), checked (1/0, or - for
// no check box), left, top, right, bottom (screen pixels), text (UTF-8); the
// window itself first. Exits with 1 when no visible window has the title.

#include "platform/win32/Win32.h"

#include <cstdio>
#include <iterator>
#include <string>

namespace
{

std::wstring TextOf(HWND hwnd)
{
    // WM_GETTEXT reaches another process's controls; GetWindowTextW would not.
    wchar_t text[1024] = {};
    const auto got =
        SendMessageW(hwnd, WM_GETTEXT, WPARAM(std::size(text)), reinterpret_cast<LPARAM>(text));
    return std::wstring(text, std::size_t(got > 0 ? got : 0));
}

void Print(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    const std::string windowClass = platform::win32::Narrow(name);
    const char* checked = "-";
    const auto style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    if (windowClass == "Button" && (style & 0x0F) == BS_AUTOCHECKBOX)
        checked = SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::printf("%llu\t%s\t%d\t%s\t%ld\t%ld\t%ld\t%ld\t%s\n",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hwnd)),
                windowClass.c_str(), IsWindowVisible(hwnd) ? 1 : 0, checked, r.left, r.top, r.right,
                r.bottom, platform::win32::Narrow(TextOf(hwnd)).c_str());
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM)
{
    Print(hwnd);
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: window-reader.exe TITLE\n");
        return 2;
    }
    HWND window = FindWindowW(nullptr, platform::win32::Widen(argv[1]).c_str());
    if (!window || !IsWindowVisible(window))
        return 1;
    Print(window);
    EnumChildWindows(window, PrintChild, 0);
    return 0;
}
