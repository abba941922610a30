#pragma once

#include "frames/FrameCatalogue.h"
#include "platform/CheckBox.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"

namespace frames
{

// A frame window: exactly one resolution in size, a blue band along its edges
// and a caption on the top band. Its white inside is cut out of the window, so
// what lies beneath stays visible and takes the mouse. It stays above all
// normal windows and moves when its band is dragged.
class FrameWindow : public platform::Form
{
public:
    explicit FrameWindow(const FrameCatalogueRow& row);

    const FrameCatalogueRow& Row() const { return row_; }

    // Controls, in stacking order, bottom first.
    platform::PictureBox Picture1;
    // Invisible; its value is the window's always-on-top switch.
    platform::CheckBox Check1;
    platform::Label Label1;

private:
    void Form_Load() override;
    void Check1_Click();
    void Picture1_MouseDown(const platform::MouseEventArgs& args);

    const FrameCatalogueRow& row_;
};

} // namespace frames
