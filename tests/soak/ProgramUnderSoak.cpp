#include "tests/soak/ProgramUnderSoak.h"

#include "app/Windows.h"
#include "frames/FrameCatalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QThread>
#include <QWidget>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace soak
{

platform::Backend* NativeBackend = nullptr;

namespace
{

QWidget& WidgetOf(const platform::Form& form)
{
    QWidget* widget = QWidget::find(WId(form.hWnd().value));
    if (!widget)
        throw std::runtime_error("no widget for window " + form.Name());
    return *widget;
}

xcb_connection_t* ProgramsConnection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

ProgramUnderSoak::ProgramUnderSoak()
    : measuring_(XOpenDisplay(nullptr), XCloseDisplay), runtime_(*NativeBackend),
      start_([this]() -> app::Start& {
          app::RegisterWindows(runtime_);
          return static_cast<app::Start&>(runtime_.Named(app::StartupWindow));
      }())
{
    if (!probe_.Connected() || !measuring_)
        throw std::runtime_error("the soak test needs an X server");
    // The load shows the window, loads the six frames and ends with the
    // "Start" button; the button leads to the selection view.
    start_.Load();
    start_.Command1.PeerClicked();
    if (!start_.Check1.Visible())
        throw std::runtime_error("the selection view did not come up");

    // At the centre of the screen the window lies inside every frame's
    // cut-out: no band ever covers a toggle that the pointer presses.
    QWidget& window = WidgetOf(start_);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move(screen.center() - window.frameGeometry().center() +
                window.frameGeometry().topLeft());
    window.activateWindow();
    window.raise();
    // The pointer rests on the bare desktop: where the X server left it (its
    // centre, on the logo) a tooltip or a pointer shape could come and go in
    // the middle of a run and be counted as a window or cursor more.
    probe_.MoveTo(screen.left() + 2, screen.top() + 2);
    const std::uintptr_t id = start_.hWnd().value;
    if (!PumpUntil([&] {
            const testing_support::ScreenRect at = probe_.Geometry(id);
            return probe_.Viewable(id) &&
                   std::abs(at.x + at.width / 2 - screen.center().x()) <= at.width / 2 &&
                   std::abs(at.y + at.height / 2 - screen.center().y()) <= at.height / 2;
        }))
        throw std::runtime_error("the main window did not come to the centre of the screen");
}

ProgramUnderSoak::~ProgramUnderSoak()
{
    start_.Unload();
    testing_support::Settle(100);
}

platform::CheckBox& ProgramUnderSoak::Toggle(int index)
{
    const std::array<platform::CheckBox*, 6> toggles{&start_.Check1, &start_.Check2,
                                                     &start_.Check3, &start_.Check4,
                                                     &start_.Check5, &start_.Check6};
    return *toggles.at(std::size_t(index));
}

QCheckBox& ProgramUnderSoak::ToggleWidget(int index)
{
    const QString name = QString::fromStdString(Toggle(index).Name());
    auto* box = WidgetOf(start_).findChild<QCheckBox*>(name);
    if (!box)
        throw std::runtime_error("no check box " + name.toStdString());
    return *box;
}

frames::FrameWindow& ProgramUnderSoak::Frame(int index)
{
    const auto& row = frames::FrameCatalogue.at(std::size_t(index));
    return static_cast<frames::FrameWindow&>(runtime_.Named(row.window));
}

QPoint ProgramUnderSoak::ToggleIndicatorOnScreen(int index)
{
    QCheckBox& box = ToggleWidget(index);
    QStyleOptionButton option;
    option.initFrom(&box);
    const QRect indicator =
        box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
    return box.mapToGlobal(indicator.center()) * box.devicePixelRatio();
}

bool ProgramUnderSoak::PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::usleep(200);
    }
    return true;
}

void ProgramUnderSoak::SyncWithServer()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (xcb_connection_t* c = ProgramsConnection())
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

Footprint ProgramUnderSoak::SettleAndMeasure()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    testing_support::Settle(300);
    SyncWithServer();
    probe_.Sync();
    return MeasureFootprint(measuring_.get(), start_.hWnd().value);
}

} // namespace soak
