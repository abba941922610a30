#include "platform/qt/QtControls.h"

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/ProgressBar.h"
#include "platform/ScrollBar.h"
#include "platform/Shape.h"
#include "platform/qt/BitmapImage.h"
#include "platform/qt/X11Support.h"

#include <QCheckBox>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <cmath>

namespace platform::qt
{

namespace
{

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QColor ToQColor(Colour c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QRect ToQRect(const PixelRect& r)
{
    return QRect(r.x, r.y, r.width, r.height);
}

// What every control peer does alike: it owns its widget and places it. The
// widget goes with deleteLater, since a peer may be dropped from inside one of
// its widget's own event handlers (a window closed by a click).
template <typename Interface, typename W> class WidgetPeer : public Interface, public WidgetHolder
{
public:
    WidgetPeer(Control& control, W* widget) : widget_(widget)
    {
        widget_->setObjectName(QString::fromStdString(control.Name()));
        widget_->setGeometry(ToQRect(control.Bounds()));
        widget_->setVisible(control.Visible());
    }
    ~WidgetPeer() override
    {
        if (widget_) {
            widget_->hide();
            widget_->deleteLater();
        }
    }

    void SetVisible(bool visible) override { widget_->setVisible(visible); }
    void SetBounds(const PixelRect& bounds) override { widget_->setGeometry(ToQRect(bounds)); }

    QWidget* Widget() const override { return widget_; }

protected:
    QPointer<W> widget_;
};

class QtLabel final : public WidgetPeer<LabelPeer, QLabel>
{
public:
    QtLabel(Label& control, QWidget* parent) : WidgetPeer(control, new QLabel(parent))
    {
        const LabelLayout& layout = control.Layout();
        widget_->setText(ToQString(control.Caption()));
        widget_->setTextFormat(Qt::PlainText);
        widget_->setWordWrap(layout.wordWrap);
        widget_->setAlignment(layout.alignment == TextAlignment::Centre
                                  ? Qt::AlignHCenter | Qt::AlignTop
                                  : Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = widget_->palette();
        if (layout.backColour) {
            palette.setColor(QPalette::Window, ToQColor(*layout.backColour));
            widget_->setAutoFillBackground(true);
        }
        if (layout.foreColour)
            palette.setColor(QPalette::WindowText, ToQColor(*layout.foreColour));
        widget_->setPalette(palette);
        // A label has no handlers: a press on it goes nowhere.
    }
    void SetCaption(std::string_view caption) override { widget_->setText(ToQString(caption)); }
};

class QtCommandButton final : public WidgetPeer<CommandButtonPeer, QPushButton>
{
public:
    QtCommandButton(CommandButton& control, QWidget* parent)
        : WidgetPeer(control, new QPushButton(parent))
    {
        widget_->setText(ToQString(control.Caption()));
        QObject::connect(widget_, &QPushButton::clicked, [&control] { control.PeerClicked(); });
    }
    void SetCaption(std::string_view caption) override { widget_->setText(ToQString(caption)); }
};

class QtCheckBox final : public WidgetPeer<CheckBoxPeer, QCheckBox>
{
public:
    QtCheckBox(CheckBox& control, QWidget* parent) : WidgetPeer(control, new QCheckBox(parent))
    {
        widget_->setText(ToQString(control.Caption()));
        widget_->setChecked(control.Value() == 1);
        if (control.Layout().backColour) {
            QPalette palette = widget_->palette();
            palette.setColor(QPalette::Window, ToQColor(*control.Layout().backColour));
            widget_->setPalette(palette);
            widget_->setAutoFillBackground(true);
        }
        // Toggled, not clicked: assistive tools switch the box without a click.
        // Changes made by the program are made with the signals blocked.
        QObject::connect(widget_, &QCheckBox::toggled,
                         [&control](bool checked) { control.PeerToggled(checked); });
    }
    void SetCaption(std::string_view caption) override { widget_->setText(ToQString(caption)); }
    void SetChecked(bool checked) override
    {
        const QSignalBlocker quiet(widget_);
        widget_->setChecked(checked);
    }
};

// A picture box paints its picture straight from the bitmap's memory, inside
// an optional sunken border two pixels wide.
class PictureWidget final : public QFrame
{
public:
    PictureWidget(PictureBox& control, QWidget* parent) : QFrame(parent), control_(control)
    {
        setBorder(control.HasBorder());
        setAttribute(Qt::WA_OpaquePaintEvent, false);
    }

    void setBorder(bool sunken)
    {
        if (sunken) {
            setFrameStyle(QFrame::Panel | QFrame::Sunken);
            setLineWidth(PictureBox::BorderWidth);
        } else {
            setFrameStyle(QFrame::NoFrame);
            setLineWidth(0);
        }
    }

    const Bitmap* picture = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        if (!picture)
            return;
        QPainter painter(this);
        PaintBitmap(painter, contentsRect().topLeft(), *picture);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        pressed_ = true;
        MouseEventArgs args;
        args.button = event->button() == Qt::RightButton    ? MouseButton::Right
                      : event->button() == Qt::MiddleButton ? MouseButton::Middle
                                                            : MouseButton::Left;
        const Qt::KeyboardModifiers mods = event->modifiers();
        args.shift = (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) |
                     (mods & Qt::AltModifier ? 4 : 0);
        args.x = float(event->position().x() - contentsRect().x());
        args.y = float(event->position().y() - contentsRect().y());
        QPointer<PictureWidget> alive(this);
        control_.PeerMouseDown(args);
        if (alive)
            event->accept();
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (wasPressed && rect().contains(event->position().toPoint()))
            control_.PeerClicked();
    }

private:
    PictureBox& control_;
    bool pressed_ = false;
};

class QtPictureBox final : public WidgetPeer<PictureBoxPeer, PictureWidget>
{
public:
    QtPictureBox(PictureBox& control, QWidget* parent)
        : WidgetPeer(control, new PictureWidget(control, parent))
    {
        widget_->picture = control.Picture();
        SetCursor(control.Layout().cursor.get());
        if (!control.Layout().toolTip.empty())
            SetToolTip(control.Layout().toolTip);
    }
    void SetPicture(const Bitmap* picture) override
    {
        widget_->picture = picture;
        widget_->update();
    }
    void SetBorder(bool sunken) override { widget_->setBorder(sunken); }
    void SetCursor(const CursorImage* cursor) override
    {
        if (!cursor) {
            widget_->unsetCursor();
            return;
        }
        const QPixmap pixmap = QPixmap::fromImage(CopyOfBitmap(cursor->image));
        widget_->setCursor(QCursor(pixmap, cursor->hotX, cursor->hotY));
    }
    void SetToolTip(std::string_view text) override
    {
        // What the pointer shows is also what a screen reader names.
        widget_->setToolTip(ToQString(text));
        widget_->setAccessibleName(ToQString(text));
    }
    void Refresh() override
    {
        widget_->repaint();
        x11::Flush();
    }
};

// A rectangle drawn on the window's own surface; it takes no input.
class QtShape final : public WidgetPeer<ShapePeer, QFrame>
{
public:
    QtShape(Shape& control, QWidget* parent) : WidgetPeer(control, new QFrame(parent))
    {
        widget_->setFrameStyle(QFrame::Box | QFrame::Plain);
        widget_->setLineWidth(1);
        widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
};

// Only a holder of a value here: the program's scroll bars are never seen.
class QtScrollBar final : public WidgetPeer<ScrollBarPeer, QScrollBar>
{
public:
    QtScrollBar(ScrollBar& control, QWidget* parent)
        : WidgetPeer(control, new QScrollBar(Qt::Horizontal, parent))
    {
        widget_->setRange(control.Min(), control.Max());
        widget_->setValue(control.Value());
    }
    void SetRange(std::int16_t min, std::int16_t max) override
    {
        const QSignalBlocker quiet(widget_);
        widget_->setRange(min, max);
    }
    void SetValue(std::int16_t value) override
    {
        const QSignalBlocker quiet(widget_);
        widget_->setValue(value);
    }
};

class QtProgressBar final : public WidgetPeer<ProgressBarPeer, QProgressBar>
{
public:
    QtProgressBar(ProgressBar& control, QWidget* parent)
        : WidgetPeer(control, new QProgressBar(parent))
    {
        widget_->setTextVisible(false);
        SetRange(control.Min(), control.Max());
        widget_->setValue(int(std::lround(control.Value())));
    }
    void SetRange(float min, float max) override
    {
        widget_->setRange(int(std::lround(min)), int(std::lround(max)));
    }
    void SetValue(float value) override
    {
        widget_->setValue(int(std::lround(value)));
        // The loading sequence does not let the event loop turn: paint now.
        if (widget_->isVisible()) {
            widget_->repaint();
            x11::Flush();
        }
    }
};

} // namespace

QWidget* WidgetOf(ControlPeer* peer)
{
    auto* holder = dynamic_cast<WidgetHolder*>(peer);
    return holder ? holder->Widget() : nullptr;
}

std::unique_ptr<LabelPeer> MakeLabel(Label& c, QWidget* p)
{
    return std::make_unique<QtLabel>(c, p);
}
std::unique_ptr<CommandButtonPeer> MakeCommandButton(CommandButton& c, QWidget* p)
{
    return std::make_unique<QtCommandButton>(c, p);
}
std::unique_ptr<CheckBoxPeer> MakeCheckBox(CheckBox& c, QWidget* p)
{
    return std::make_unique<QtCheckBox>(c, p);
}
std::unique_ptr<PictureBoxPeer> MakePictureBox(PictureBox& c, QWidget* p)
{
    return std::make_unique<QtPictureBox>(c, p);
}
std::unique_ptr<ShapePeer> MakeShape(Shape& c, QWidget* p)
{
    return std::make_unique<QtShape>(c, p);
}
std::unique_ptr<ScrollBarPeer> MakeScrollBar(ScrollBar& c, QWidget* p)
{
    return std::make_unique<QtScrollBar>(c, p);
}
std::unique_ptr<ProgressBarPeer> MakeProgressBar(ProgressBar& c, QWidget* p)
{
    return std::make_unique<QtProgressBar>(c, p);
}

} // namespace platform::qt
