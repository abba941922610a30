#pragma once

// The Windows controls behind the platform's controls: a STATIC for a label,
// a BUTTON for a command button and for a check box, a SCROLLBAR, the
// common-controls progress bar, a window class of this backend for a picture
// box; a rectangle is drawn on its surface and is no window at all.

#include "platform/Peers.h"
#include "platform/win32/Surface.h"
#include "platform/win32/Win32.h"

#include <memory>

namespace platform::win32
{

class Win32Backend;

// Where a new control goes.
struct ControlSite {
    Win32Backend& backend;
    // The top-level window (owner of tooltips) and its background brush.
    HWND window;
    HBRUSH background;
    // The window's client area or a picture box.
    Surface& parent;
};

std::unique_ptr<LabelPeer> MakeLabel(const ControlSite& site, Label& control);
std::unique_ptr<CommandButtonPeer> MakeCommandButton(const ControlSite& site,
                                                     CommandButton& control);
std::unique_ptr<CheckBoxPeer> MakeCheckBox(const ControlSite& site, CheckBox& control);
std::unique_ptr<PictureBoxPeer> MakePictureBox(const ControlSite& site, PictureBox& control);
std::unique_ptr<ShapePeer> MakeShape(const ControlSite& site, Shape& control);
std::unique_ptr<ScrollBarPeer> MakeScrollBar(const ControlSite& site, ScrollBar& control);
std::unique_ptr<ProgressBarPeer> MakeProgressBar(const ControlSite& site, ProgressBar& control);

// The surface a control peer of this backend offers to controls inside it (a
// picture box), or null.
Surface* SurfaceOf(ControlPeer* peer);
// The window of a control peer of this backend, or null (a rectangle has none).
HWND HandleOf(ControlPeer* peer);

// What a surface's window procedure passes on: the notifications and colour
// requests of its child controls. True when `message` was one of them.
bool HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The window procedure of the picture boxes.
LRESULT CALLBACK PictureWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform::win32
