#pragma once

// The Qt widgets behind the controls: each control is the toolkit's own
// widget (a QLabel for a label, a QCheckBox for a check box, ...), so
// accessibility tools see their texts and states.

#include "platform/Peers.h"

#include <QWidget>

namespace platform::qt
{

// Every control peer of this backend is one widget.
class WidgetHolder
{
public:
    virtual ~WidgetHolder() = default;
    virtual QWidget* Widget() const = 0;
};

// The widget of a control peer of this backend, or null.
QWidget* WidgetOf(ControlPeer* peer);

std::unique_ptr<LabelPeer> MakeLabel(Label& control, QWidget* parent);
std::unique_ptr<CommandButtonPeer> MakeCommandButton(CommandButton& control, QWidget* parent);
std::unique_ptr<CheckBoxPeer> MakeCheckBox(CheckBox& control, QWidget* parent);
std::unique_ptr<PictureBoxPeer> MakePictureBox(PictureBox& control, QWidget* parent);
std::unique_ptr<ShapePeer> MakeShape(Shape& control, QWidget* parent);
std::unique_ptr<ScrollBarPeer> MakeScrollBar(ScrollBar& control, QWidget* parent);
std::unique_ptr<ProgressBarPeer> MakeProgressBar(ProgressBar& control, QWidget* parent);

} // namespace platform::qt
