#pragma once

#include "platform/Peers.h"
#include "platform/win32/Win32.h"

#include <memory>

namespace platform
{
class Form;
}

namespace platform::win32
{

class Win32Backend;

std::unique_ptr<WindowPeer> MakeWindow(Win32Backend& backend, Form& form);

// The window procedure of every top-level window of the program.
LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Tab and Shift+Tab move the focus through a window's controls in their tab
// order, Enter presses the focused button; true when `msg` was such a key.
bool HandleNavigationKey(const MSG& msg);

} // namespace platform::win32
