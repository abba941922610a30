#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace platform::qt
{

// Moves a window with the pointer until the button is released: the way out
// where the window manager offers no move of its own (no window manager at
// all, or one that refuses the request). A release that never arrives (the
// pointer grabbed elsewhere meanwhile) is caught by asking the X server.
class PointerFollower final : public QObject
{
public:
    explicit PointerFollower(QWidget& window);
    ~PointerFollower() override;

    void Begin();
    bool Active() const { return active_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow(const QPoint& globalPos);
    void End();

    QPointer<QWidget> window_;
    QPoint pointerStart_;
    QPoint windowStart_;
    QTimer releaseWatch_;
    bool active_ = false;
};

// Watches a move run by the window manager: once no button is down any more,
// the move is over, and the window is told of the release that the window
// manager kept (Qt would otherwise still see the button held).
class SystemMoveWatch final : public QObject
{
public:
    explicit SystemMoveWatch(QWidget& window);
    void Begin(QWidget* pressed);

private:
    void Check();

    QPointer<QWidget> window_;
    QPointer<QWidget> pressed_;
    QTimer poll_;
};

} // namespace platform::qt
