// Reads a top-level window of another program and its controls, as a screen
// reader on Windows would from the window system: class, visibility, check
// state, place on the screen and text, one control a line. The program test
// reads RASTERBLICK's window with it under Wine, which has no accessibility
// bus for the Linux tools.
//
//   window-reader.exe TITLE
//   window-reader.exe TITLE --wait-for TEXT [MILLISECONDS]
//
// Prints, tab-separated: handle, class, visible (0/1), checked (1/0, or - for
// no check box), left, top, right, bottom (screen pixels), text (UTF-8); the
// window itself first. Exits with 1 when no visible window has the title.
// With --wait-for it prints nothing and looks every 5 ms until a
// visible control of the window shows TEXT (exit 0) or the time is up (exit 1,
// default 60 s): the start-up time script starts it along with the program.

#include "platform/win32/Win32.h"

#include <cstdio>
#include <cstdlib>
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

struct Search {
    const std::wstring* text;
    bool found;
};

BOOL CALLBACK FindText(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (IsWindowVisible(hwnd) && TextOf(hwnd) == *search->text) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

int WaitFor(const std::wstring& title, const std::wstring& text, DWORD limit)
{
    const ULONGLONG end = GetTickCount64() + limit;
    while (GetTickCount64() < end) {
        HWND window = FindWindowW(nullptr, title.c_str());
        Search search{&text, false};
        if (window && IsWindowVisible(window))
            EnumChildWindows(window, FindText, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return 0;
        Sleep(5);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 || argc == 5) {
        if (std::string(argv[2]) != "--wait-for")
            return 2;
        const DWORD limit = argc == 5 ? DWORD(std::strtoul(argv[4], nullptr, 10)) : 60000;
        return WaitFor(platform::win32::Widen(argv[1]), platform::win32::Widen(argv[3]), limit);
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: window-reader.exe TITLE [--wait-for TEXT [MILLISECONDS]]\n");
        return 2;
    }
    HWND window = FindWindowW(nullptr, platform::win32::Widen(argv[1]).c_str());
    if (!window || !IsWindowVisible(window))
        return 1;
    Print(window);
    EnumChildWindows(window, PrintChild, 0);
    return 0;
}
