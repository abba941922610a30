#pragma once

// The few things Qt does not say about X11 and the frames need. Every function
// does nothing (or answers "unknown") when the program does not run on X11.

#include <optional>

class QPoint;
class QWidget;

namespace platform::qt::x11
{

bool Active();

// Sends what is queued to the X server, so a repaint made while the event loop
// does not turn reaches the screen.
void Flush();

// The window-manager states of a top-level window that is not mapped: above
// the normal windows or not, in the taskbar and pager or not. The window
// manager reads them when the window is first mapped; Qt keeps the ones it
// finds there and adds its own.
void SetUnmappedStates(QWidget& window, bool above, bool skipTaskbar);

// Whether any pointer button is held down now, asked of the X server; none
// when that cannot be told.
std::optional<bool> AnyButtonDown();

// Whether a window manager runs now: the one the root window names still
// exists (one that died leaves its names behind). None when not on X11.
std::optional<bool> WindowManagerRunning();

// Where the window's top-left corner is on the screen, in device pixels, asked
// of the X server rather than Qt. None when that cannot be told.
std::optional<QPoint> ScreenPosition(QWidget& window);

// Tells the window manager to end a move it runs for the window
// (_NET_WM_MOVERESIZE_CANCEL): the way out when it never saw the release.
void CancelSystemMove(QWidget& window);

} // namespace platform::qt::x11
