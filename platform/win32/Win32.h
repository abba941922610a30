#pragma once

// The Windows API as this backend uses it: the wide-character functions only.
// <windows.h> defines macros named like methods of the platform layer
// (CreateWindow, MessageBox, ShellExecute); they go again at once, so the
// platform headers keep their names in every file of this backend.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#undef CreateWindow
#undef MessageBox
#undef ShellExecute

#include "platform/Geometry.h"

#include <string>
#include <string_view>

namespace platform::win32
{

// UTF-8 (the platform layer's texts) to UTF-16 (every W function); bytes that
// are not UTF-8 become U+FFFD.
std::wstring Widen(std::string_view utf8);
// And back, for what a window reports.
std::string Narrow(std::wstring_view utf16);

inline COLORREF ToColorRef(Colour c)
{
    // Both are 0x00BBGGRR.
    return COLORREF(c);
}

} // namespace platform::win32
