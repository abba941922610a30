#include "frames/FrameWindow.h"

#include "assets/Cursors.h"
#include "assets/FrameArt.h"
#include "frames/MakeFrameRegion.h"

#include <memory>

namespace frames
{

namespace
{

constexpr platform::Colour CaptionColour = platform::Rgb(255, 255, 128);

platform::WindowLayout WindowLayoutFor(const FrameCatalogueRow& row)
{
    platform::WindowLayout layout;
    layout.caption = std::string(row.window);
    layout.borderStyle = platform::BorderStyle::None;
    layout.clientWidth = row.width;
    layout.clientHeight = row.height;
    // The frames are part of the main window's work, not programs of their own.
    layout.showInTaskbar = false;
    return layout;
}

std::shared_ptr<const platform::CursorImage> OpenHand()
{
    static const auto cursor = assets::CursorOf(assets::OpenHandCursor());
    return cursor;
}

} // namespace

FrameWindow::FrameWindow(const FrameCatalogueRow& row)
    : Form(std::string(row.window), WindowLayoutFor(row)),
      Picture1(*this, "Picture1", {.bounds = {0, 0, row.width, row.height}},
               {.picture = [&row] { return assets::MakeFrameArt(row.width, row.height, row.band); },
                .border = row.pictureBorder,
                .cursor = OpenHand(),
                .toolTip = {}}),
      Check1(*this, "Check1",
             {.bounds = {424, 248, 25, 25}, .visible = false, .container = &Picture1},
             {.caption = "Check1", .value = 0, .backColour = {}}),
      Label1(*this, "Label1", {.bounds = row.label, .container = &Picture1},
             {.caption = std::string(row.caption),
              .alignment = platform::TextAlignment::Left,
              .wordWrap = false,
              .backColour = {},
              .foreColour = CaptionColour}),
      row_(row)
{
    Check1.Click = [this] { Check1_Click(); };
    Picture1.MouseDown = [this](const platform::MouseEventArgs& args) { Picture1_MouseDown(args); };
}

void FrameWindow::Form_Load()
{
    Picture1.SetScaleMode(platform::ScaleMode::Pixel);
    // The kept image is what the region builder reads while the window is hidden.
    Picture1.SetAutoRedraw(true);
    Picture1.SetAutoSize(true);
    Picture1.SetBorderStyle(platform::BorderStyle::None);
    SetBorderStyle(platform::BorderStyle::None);
    SetWidth(Picture1.Width());
    SetHeight(Picture1.Height());

    const std::optional<platform::Region> region = MakeFrameRegion(Picture1);
    SetShape(region ? &*region : nullptr, true);

    // Raises Check1_Click at once: the frame joins the topmost windows while hidden.
    Check1.SetValue(1);
}

void FrameWindow::Check1_Click()
{
    SetTopmost(Check1.Value() == 1);
}

void FrameWindow::Picture1_MouseDown(const platform::MouseEventArgs& args)
{
    // Whatever the button: the press is handed to the window system's move.
    (void)args;
    StartSystemMove();
}

} // namespace frames
