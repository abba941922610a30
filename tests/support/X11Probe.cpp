#include "tests/support/X11Probe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>

namespace testing_support
{

X11Probe::X11Probe() : display_(XOpenDisplay(nullptr))
{
}

X11Probe::~X11Probe()
{
    if (display_)
        XCloseDisplay(display_);
}

ScreenRect X11Probe::Geometry(std::uintptr_t window) const
{
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    if (!XGetGeometry(display_, Window(window), &root, &x, &y, &width, &height, &border, &depth))
        return {};
    Window child = 0;
    int absX = 0;
    int absY = 0;
    XTranslateCoordinates(display_, Window(window), root, 0, 0, &absX, &absY, &child);
    return {absX, absY, int(width), int(height)};
}

std::vector<platform::Rect> X11Probe::BoundingShape(std::uintptr_t window) const
{
    int count = 0;
    int ordering = 0;
    XRectangle* rects =
        XShapeGetRectangles(display_, Window(window), ShapeBounding, &count, &ordering);
    std::vector<platform::Rect> result;
    for (int i = 0; i < count; ++i)
        result.push_back(
            {rects[i].x, rects[i].y, rects[i].x + rects[i].width, rects[i].y + rects[i].height});
    if (rects)
        XFree(rects);
    return result;
}

namespace
{

std::vector<unsigned long> ListProperty(Display* display, Window window, const char* name,
                                        Atom type)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> result;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 4096, False, type,
                           &actualType, &format, &count, &after, &data) == Success &&
        data) {
        const auto* values = reinterpret_cast<unsigned long*>(data);
        result.assign(values, values + count);
        XFree(data);
    }
    return result;
}

} // namespace

bool X11Probe::HasState(std::uintptr_t window, const char* state) const
{
    const Atom wanted = XInternAtom(display_, state, False);
    for (unsigned long atom : ListProperty(display_, Window(window), "_NET_WM_STATE", XA_ATOM))
        if (atom == wanted)
            return true;
    return false;
}

std::vector<std::uintptr_t> X11Probe::Stacking() const
{
    std::vector<std::uintptr_t> result;
    for (unsigned long w : ListProperty(display_, DefaultRootWindow(display_),
                                        "_NET_CLIENT_LIST_STACKING", XA_WINDOW))
        result.push_back(w);
    return result;
}

bool X11Probe::WindowManagerRunning() const
{
    return !ListProperty(display_, DefaultRootWindow(display_), "_NET_SUPPORTING_WM_CHECK",
                         XA_WINDOW)
                .empty();
}

bool X11Probe::Viewable(std::uintptr_t window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, Window(window), &attributes) &&
           attributes.map_state == IsViewable;
}

void X11Probe::MoveTo(int x, int y)
{
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XFlush(display_);
}

void X11Probe::Press(int button)
{
    XTestFakeButtonEvent(display_, unsigned(button), True, CurrentTime);
    XFlush(display_);
}

void X11Probe::Release(int button)
{
    XTestFakeButtonEvent(display_, unsigned(button), False, CurrentTime);
    XFlush(display_);
}

void X11Probe::Sync()
{
    XSync(display_, False);
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void Settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

} // namespace testing_support
