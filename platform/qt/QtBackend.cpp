#include "platform/qt/QtBackend.h"

#include "platform/Timer.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/X11Support.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace platform::qt
{

namespace
{

class QtTimer final : public TimerPeer
{
public:
    explicit QtTimer(platform::Timer& timer)
    {
        QObject::connect(&timer_, &QTimer::timeout, [&timer] { timer.PeerTick(); });
    }
    void SetInterval(std::int32_t ms) override { timer_.setInterval(ms); }
    void SetEnabled(bool enabled) override
    {
        if (enabled)
            timer_.start();
        else
            timer_.stop();
    }

private:
    QTimer timer_;
};

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

constexpr qint64 FirstPaintWaitMs = 250;

// The shell's codes: above 32 is success; 31 says no program takes the file.
constexpr std::int32_t ShellAccepted = 42;
constexpr std::int32_t ShellNoAssociation = 31;

} // namespace

QtBackend::QtBackend(int& argc, char** argv) : app_(std::make_unique<QApplication>(argc, argv))
{
    // The program ends when its forms say so, not when Qt sees no window.
    QApplication::setQuitOnLastWindowClosed(false);
}

QtBackend::~QtBackend()
{
    // Widgets whose peers went while no event loop ran are still queued.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::unique_ptr<WindowPeer> QtBackend::CreateWindow(Form& form)
{
    return MakeWindow(form);
}

std::unique_ptr<TimerPeer> QtBackend::CreateTimer(Timer& timer)
{
    return std::make_unique<QtTimer>(timer);
}

void QtBackend::MessageBox(std::string_view text, std::string_view title)
{
    QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text), QMessageBox::Ok);
    box.exec();
}

ScreenMetrics QtBackend::Screen()
{
    ScreenMetrics metrics;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        metrics.widthTwips = float(area.width()) * TwipsPerPixel;
        metrics.heightTwips = float(area.height()) * TwipsPerPixel;
    }
    metrics.twipsPerPixelX = TwipsPerPixel;
    metrics.twipsPerPixelY = TwipsPerPixel;
    return metrics;
}

void QtBackend::DoEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);

    // A window shown just before is mapped but not yet exposed: its first
    // paint is pending with the window manager. Wait for it (briefly), so the
    // window shows its content from this yield on, as callers rely on.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < FirstPaintWaitMs) {
        bool pending = false;
        for (QWindow* window : QGuiApplication::topLevelWindows())
            pending = pending || (window->isVisible() && !window->isExposed());
        if (!pending)
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    x11::Flush();
}

WindowHandle QtBackend::DesktopWindow()
{
    return {0};
}

std::int32_t QtBackend::ShellExecute(const ShellExecuteRequest& request)
{
    // The desktop's own opener (xdg-open and its kind), started without a shell;
    // verb, folder and show command have no meaning there.
    const QUrl url(ToQString(request.file));
    if (!url.isValid())
        return ShellNoAssociation;
    return QDesktopServices::openUrl(url) ? ShellAccepted : ShellNoAssociation;
}

int QtBackend::RunEventLoop()
{
    return QApplication::exec();
}

void QtBackend::Quit()
{
    QCoreApplication::exit(0);
}

} // namespace platform::qt
