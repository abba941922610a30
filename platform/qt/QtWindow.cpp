#include "platform/qt/QtWindow.h"

#include "platform/Form.h"
#include "platform/qt/BitmapImage.h"
#include "platform/qt/PointerFollower.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/X11Support.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace platform::qt
{

namespace
{

// A top-level window of the forms run time. Closing it (by the user or the
// window system) asks its form, which decides and unloads.
class FormWidget final : public QWidget
{
public:
    explicit FormWidget(Form& form) : form_(form) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        form_.PeerCloseRequested();
    }

private:
    Form& form_;
};

class QtWindow final : public WindowPeer
{
public:
    explicit QtWindow(Form& form)
        : form_(form), widget_(new FormWidget(form)), follower_(*widget_), moveWatch_(*widget_)
    {
        const WindowLayout& layout = form.Layout();
        widget_->setObjectName(QString::fromStdString(form.Name()));
        widget_->setWindowTitle(QString::fromStdString(layout.caption));
        // The layouts were made for a small user-interface font, 8 points;
        // the desktop's own family at that size keeps every caption whole.
        QFont font = QApplication::font();
        font.setPointSizeF(8);
        widget_->setFont(font);
        if (layout.backColour) {
            QPalette palette = widget_->palette();
            const Colour c = *layout.backColour;
            palette.setColor(QPalette::Window, QColor(RedOf(c), GreenOf(c), BlueOf(c)));
            widget_->setPalette(palette);
            widget_->setAutoFillBackground(true);
        }
        if (layout.icon) {
            const Bitmap icon = layout.icon();
            widget_->setWindowIcon(QIcon(QPixmap::fromImage(CopyOfBitmap(icon))));
        }
        flags_ = Qt::Window;
        if (!layout.showInTaskbar)
            flags_ = Qt::Tool;
        ApplyBorder(layout.borderStyle);
        widget_->setWindowFlags(flags_);
        widget_->resize(layout.clientWidth, layout.clientHeight);
        if (layout.borderStyle == BorderStyle::None)
            widget_->setFixedSize(layout.clientWidth, layout.clientHeight);
        skipTaskbar_ = !layout.showInTaskbar;
    }

    ~QtWindow() override
    {
        if (widget_) {
            widget_->hide();
            widget_->deleteLater();
        }
    }

    void SetCaption(std::string_view caption) override
    {
        widget_->setWindowTitle(QString::fromUtf8(caption.data(), qsizetype(caption.size())));
    }

    void SetBorderStyle(BorderStyle style) override
    {
        const Qt::WindowFlags before = flags_;
        ApplyBorder(style);
        if (flags_ != before)
            ChangeFlags();
        frameless_ = style == BorderStyle::None;
    }

    void SetSize(std::int32_t width, std::int32_t height) override
    {
        // Without a border the window is exactly this size, and no window
        // manager may change it (a fixed size is what it honours).
        if (frameless_)
            widget_->setFixedSize(width, height);
        else
            widget_->resize(width, height);
    }

    void SetMousePointer(MousePointer pointer) override
    {
        if (pointer == MousePointer::Hourglass)
            widget_->setCursor(Qt::WaitCursor);
        else
            widget_->unsetCursor();
    }

    void SetVisible(bool visible) override
    {
        if (!visible) {
            widget_->hide();
            return;
        }
        if (!placed_) {
            // The first show after a load: at the centre of the primary screen.
            // A window taller than the screen keeps its top edge on it, as a
            // title bar is kept: centred, a frame's band would be all off the
            // screen, with nothing left to drag it by.
            placed_ = true;
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                const QRect area = screen->geometry();
                const QSize size = widget_->size();
                widget_->move(area.x() + (area.width() - size.width()) / 2,
                              area.y() + std::max(0, (area.height() - size.height()) / 2));
            }
        }
        EnsureNative();
        widget_->show();
        x11::Flush();
    }

    WindowHandle Handle() const override
    {
        return {widget_->testAttribute(Qt::WA_WState_Created) ? std::uintptr_t(widget_->winId())
                                                              : std::uintptr_t(0)};
    }

    void SetShape(const Region* region, bool redraw) override
    {
        if (!region) {
            widget_->clearMask();
        } else {
            // The rectangles come sorted and apart, as setRects wants them; one
            // call builds the region, not thousands of unions.
            static_assert(sizeof(Rect) == 4 * sizeof(std::int32_t));
            std::vector<QRect> rects;
            rects.reserve(region->size());
            for (const Rect& r : *region)
                rects.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
            QRegion shape;
            shape.setRects(rects.data(), int(rects.size()));
            widget_->setMask(shape);
        }
        if (redraw)
            widget_->update();
    }

    void SetTopmost(bool topmost) override
    {
        flags_.setFlag(Qt::WindowStaysOnTopHint, topmost);
        ChangeFlags();
        // The X window exists from now on, hidden, already shaped and above:
        // it never shows its full rectangle or the normal stacking, not even
        // for a moment when it is first mapped.
        EnsureNative();
    }

    void StartSystemMove() override
    {
        QWidget* pressed = QWidget::mouseGrabber();
        if (pressed)
            pressed->releaseMouse();
        SyncPosition();
        QWindow* window = widget_->windowHandle();
        // A window manager that died leaves its announcement behind, and Qt
        // would hand the move to nobody.
        if (window && x11::WindowManagerRunning() != false && window->startSystemMove()) {
            moveWatch_.Begin(QApplication::widgetAt(QCursor::pos()));
            return;
        }
        follower_.Begin();
    }

    void SetTabOrder(const std::vector<ControlPeer*>& order) override
    {
        QWidget* previous = nullptr;
        for (ControlPeer* peer : order) {
            QWidget* widget = WidgetOf(peer);
            if (!widget)
                continue;
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }

    std::unique_ptr<LabelPeer> CreateLabel(Label& c, ContainerPeer container) override
    {
        return MakeLabel(c, Parent(container));
    }
    std::unique_ptr<CommandButtonPeer> CreateCommandButton(CommandButton& c,
                                                           ContainerPeer container) override
    {
        return MakeCommandButton(c, Parent(container));
    }
    std::unique_ptr<CheckBoxPeer> CreateCheckBox(CheckBox& c, ContainerPeer container) override
    {
        return MakeCheckBox(c, Parent(container));
    }
    std::unique_ptr<PictureBoxPeer> CreatePictureBox(PictureBox& c,
                                                     ContainerPeer container) override
    {
        return MakePictureBox(c, Parent(container));
    }
    std::unique_ptr<ShapePeer> CreateShape(Shape& c, ContainerPeer container) override
    {
        return MakeShape(c, Parent(container));
    }
    std::unique_ptr<ScrollBarPeer> CreateScrollBar(ScrollBar& c, ContainerPeer container) override
    {
        return MakeScrollBar(c, Parent(container));
    }
    std::unique_ptr<ProgressBarPeer> CreateProgressBar(ProgressBar& c,
                                                       ContainerPeer container) override
    {
        return MakeProgressBar(c, Parent(container));
    }

private:
    // Makes the X window now, hidden, with the states it keeps for life.
    void EnsureNative()
    {
        if (!widget_->testAttribute(Qt::WA_WState_Created))
            widget_->winId();
        if (!widget_->isVisible())
            x11::SetUnmappedStates(*widget_, flags_.testFlag(Qt::WindowStaysOnTopHint),
                                   skipTaskbar_);
    }

    // Qt's idea of where the window is can be stale: when a window manager
    // dies in the middle of a move, and now and then right after the window
    // manager has framed a window just shown. Both kinds of move start from
    // it (the window manager's from the press mapped to the screen with the
    // native window's place, the pointer follower from the widget's), so the
    // window would jump. Tell both where the X server has the window.
    void SyncPosition()
    {
        QWindow* window = widget_->windowHandle();
        const std::optional<QPoint> actual = x11::ScreenPosition(*widget_);
        QScreen* screen = widget_->screen();
        if (!window || !actual || !screen)
            return;
        // Qt scales global positions about the top-left corner of the screen.
        const qreal ratio = window->devicePixelRatio();
        const QPoint origin = screen->geometry().topLeft();
        const auto stale = [&](const QPoint& logical) {
            const QPointF known = QPointF(origin) + QPointF(logical - origin) * ratio;
            return std::abs(known.x() - actual->x()) >= ratio ||
                   std::abs(known.y() - actual->y()) >= ratio;
        };
        const QPoint target = (QPointF(origin) + QPointF(*actual - origin) / ratio).toPoint();
        if (stale(window->position()))
            window->setPosition(target);
        if (stale(widget_->pos()))
            widget_->move(target);
    }

    void ApplyBorder(BorderStyle style)
    {
        const bool none = style == BorderStyle::None;
        flags_.setFlag(Qt::FramelessWindowHint, none);
        frameless_ = none;
    }

    // A hidden window takes new flags by being made anew when next needed; a
    // shown one changes them in place, keeping its place and shape.
    void ChangeFlags()
    {
        const bool created = widget_->testAttribute(Qt::WA_WState_Created);
        if (created && widget_->isVisible()) {
            widget_->overrideWindowFlags(flags_);
            if (QWindow* window = widget_->windowHandle())
                window->setFlags(flags_);
            return;
        }
        widget_->setWindowFlags(flags_);
        if (created)
            EnsureNative();
    }

    QWidget* Parent(ContainerPeer container) const
    {
        if (QWidget* inside = WidgetOf(container))
            return inside;
        return widget_;
    }

    Form& form_;
    QPointer<FormWidget> widget_;
    PointerFollower follower_;
    SystemMoveWatch moveWatch_;
    Qt::WindowFlags flags_;
    bool frameless_ = false;
    bool placed_ = false;
    bool skipTaskbar_ = false;
};

} // namespace

std::unique_ptr<WindowPeer> MakeWindow(Form& form)
{
    return std::make_unique<QtWindow>(form);
}

} // namespace platform::qt
