#include "platform/qt/PointerFollower.h"

#include "platform/qt/X11Support.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

namespace platform::qt
{

namespace
{
constexpr int PollMs = 40;
}

PointerFollower::PointerFollower(QWidget& window) : window_(&window)
{
    releaseWatch_.setInterval(PollMs);
    QObject::connect(&releaseWatch_, &QTimer::timeout, this, [this] {
        if (x11::AnyButtonDown() == false)
            End();
        else
            Follow(QCursor::pos());
    });
}

PointerFollower::~PointerFollower()
{
    if (active_)
        qApp->removeEventFilter(this);
}

void PointerFollower::Begin()
{
    if (!window_ || active_)
        return;
    active_ = true;
    pointerStart_ = QCursor::pos();
    windowStart_ = window_->pos();
    qApp->installEventFilter(this);
    releaseWatch_.start();
}

void PointerFollower::Follow(const QPoint& globalPos)
{
    if (window_)
        window_->move(windowStart_ + (globalPos - pointerStart_));
}

void PointerFollower::End()
{
    if (!active_)
        return;
    active_ = false;
    releaseWatch_.stop();
    qApp->removeEventFilter(this);
}

bool PointerFollower::eventFilter(QObject* watched, QEvent* event)
{
    if (!active_)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        // Widgets and their windows both see each move; follow the window's.
        if (watched->isWindowType())
            Follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseButtonRelease:
        if (watched->isWindowType()) {
            Follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            End();
        }
        break;
    default:
        break;
    }
    return false;
}

SystemMoveWatch::SystemMoveWatch(QWidget& window) : window_(&window)
{
    poll_.setInterval(PollMs);
    QObject::connect(&poll_, &QTimer::timeout, this, [this] { Check(); });
}

void SystemMoveWatch::Begin(QWidget* pressed)
{
    pressed_ = pressed;
    poll_.start();
}

void SystemMoveWatch::Check()
{
    if (x11::AnyButtonDown() != false)
        return;
    poll_.stop();
    // Had the window manager taken the move only after the release, it would
    // carry the window on with the pointer: end such a move. The release, if
    // it got the release, reached it before this message and ended it already.
    if (window_)
        x11::CancelSystemMove(*window_);
    QWidget* target = pressed_ ? pressed_.data() : window_.data();
    if (!target || !target->windowHandle())
        return;
    // The release the window manager kept: delivered to the window, it ends
    // the press there, so the next press starts afresh.
    const QPointF global = QCursor::pos();
    const QPointF local = target->window()->mapFromGlobal(global);
    auto* release = new QMouseEvent(QEvent::MouseButtonRelease, local, local, global,
                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::postEvent(target->window()->windowHandle(), release);
}

} // namespace platform::qt
