#pragma once

// A second client of the X server for the tests: it reads what the window
// system holds for a window (geometry, shape, states, stacking) and plays the
// user with synthetic pointer input, as a person at the screen would.

#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct _XDisplay;

namespace testing_support
{

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

class X11Probe
{
public:
    X11Probe();
    ~X11Probe();
    X11Probe(const X11Probe&) = delete;
    X11Probe& operator=(const X11Probe&) = delete;

    bool Connected() const { return display_ != nullptr; }

    // The window's place on the screen and its size, in device pixels.
    ScreenRect Geometry(std::uintptr_t window) const;
    // The window's bounding shape as the X SHAPE extension reports it.
    std::vector<platform::Rect> BoundingShape(std::uintptr_t window) const;
    bool HasState(std::uintptr_t window, const char* state) const;
    // The managed windows from bottom to top (_NET_CLIENT_LIST_STACKING).
    std::vector<std::uintptr_t> Stacking() const;
    bool WindowManagerRunning() const;
    // Mapped, with all its ancestors: on the screen.
    bool Viewable(std::uintptr_t window) const;

    void MoveTo(int x, int y);
    void Press(int button = 1);
    void Release(int button = 1);
    void Sync();

private:
    ::_XDisplay* display_ = nullptr;
};

// Handles Qt's events until `done` holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Handles Qt's events for a while.
void Settle(int ms = 200);

} // namespace testing_support
