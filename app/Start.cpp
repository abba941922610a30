#include "app/Start.h"

#include "app/Readout.h"
#include "app/Texts.h"
#include "assets/Cursors.h"
#include "assets/WindowIcon.h"
#include "logo/ChannelRemap.h"
#include "logo/Gain.h"
#include "logo/HomePage.h"
#include "logo/LogoImage.h"
#include "logo/PulseStep.h"
#include "platform/Services.h"

#include <cstdio>
#include <exception>
#include <memory>

namespace app
{

namespace
{

using platform::PixelRect;

constexpr platform::Colour Grey = platform::Rgb(224, 224, 224);
constexpr platform::Colour White = platform::Rgb(255, 255, 255);

platform::WindowLayout StartLayout()
{
    platform::WindowLayout layout;
    layout.caption = std::string(texts::WindowCaption);
    layout.borderStyle = platform::BorderStyle::Sizable;
    layout.clientWidth = 199;
    layout.clientHeight = 175;
    layout.backColour = Grey;
    layout.icon = [] { return assets::ToBitmap(assets::WindowIcon()); };
    return layout;
}

platform::LabelLayout NoteLayout(std::string_view caption)
{
    return {.caption = std::string(caption),
            .alignment = platform::TextAlignment::Centre,
            .wordWrap = true,
            .backColour = White,
            .foreColour = {}};
}

platform::CheckBoxLayout ToggleLayout(std::string_view caption)
{
    return {.caption = std::string(caption), .value = 0, .backColour = Grey};
}

platform::ControlPlacement Hidden(PixelRect bounds, int tabIndex)
{
    return {.bounds = bounds, .visible = false, .tabIndex = tabIndex, .container = nullptr};
}

std::shared_ptr<const platform::CursorImage> PointingHand()
{
    static const auto cursor = assets::CursorOf(assets::PointingHandCursor());
    return cursor;
}

} // namespace

Start::Start()
    : Form("Start", StartLayout()), Shape1(*this, "Shape1", {.bounds = {8, 7, 185, 161}}),
      Label1(*this, "Label1", {.bounds = {24, 16, 153, 41}}, NoteLayout(texts::PatienceNote)),
      Label2(*this, "Label2", {.bounds = {24, 64, 153, 41}}, NoteLayout("")),
      Command1(*this, "Command1", {.bounds = {16, 136, 169, 25}, .tabIndex = 4},
               {.caption = std::string(texts::StartButton)}),
      Picture2(*this, "Picture2", Hidden({8, 8, 184, 84}, 5),
               {.picture = logo::MakeLogoImage, .border = true, .cursor = {}, .toolTip = {}}),
      ProgressBar1(*this, "ProgressBar1", {.bounds = {16, 136, 169, 25}}),
      Picture1(*this, "Picture1", Hidden({8, 8, 184, 84}, 2),
               {.picture = logo::MakeLogoImage,
                .border = true,
                .cursor = PointingHand(),
                .toolTip = std::string(logo::HomePageHost)}),
      HScroll1{{platform::ScrollBar(*this, "HScroll1(0)", Hidden({16, 320, 65, 17}, 6),
                                    {.min = 1, .max = 200, .value = 1, .index = 0}),
                platform::ScrollBar(*this, "HScroll1(1)", Hidden({16, 304, 65, 17}, 7),
                                    {.min = 1, .max = 200, .value = 1, .index = 1})}},
      Check1(*this, "Check1", Hidden({8, 96, 89, 25}, 8), ToggleLayout("640 x 480")),
      Check2(*this, "Check2", Hidden({8, 120, 89, 25}, 9), ToggleLayout("800 x 600")),
      // Unlike the frame's own caption, this one has no blank after the "x".
      Check3(*this, "Check3", Hidden({8, 144, 89, 25}, 10), ToggleLayout("1024 x768")),
      Check4(*this, "Check4", Hidden({104, 96, 89, 25}, 11), ToggleLayout("1152 x 864")),
      Check5(*this, "Check5", Hidden({104, 120, 89, 25}, 12), ToggleLayout("1280 x 1024")),
      Check6(*this, "Check6", Hidden({104, 144, 89, 25}, 13), ToggleLayout("1600 x 1200")),
      Timer1(*this, "Timer1", {.intervalMs = 10000, .enabled = false}),
      Timer2(*this, "Timer2", {.intervalMs = 150, .enabled = true}),
      Timer3(*this, "Timer3", {.intervalMs = 350, .enabled = true})
{
    Command1.Click = [this] { Command1_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Check1.Click = [this] { Check1_Click(); };
    Check2.Click = [this] { Check2_Click(); };
    Check3.Click = [this] { Check3_Click(); };
    Check4.Click = [this] { Check4_Click(); };
    Check5.Click = [this] { Check5_Click(); };
    Check6.Click = [this] { Check6_Click(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    Timer3.Tick = [this] { Timer3_Timer(); };
    for (platform::ScrollBar& element : HScroll1)
        element.Change = [this](std::int16_t index) { HScroll1_Change(index); };
    Picture1.Click = [this] { Picture1_Click(); };
}

void Start::Form_Load()
{
    try {
        Show();
        SetMousePointer(platform::MousePointer::Hourglass);
        ProgressBar1.SetMin(0);
        ProgressBar1.SetMax(100);
        ProgressBar1.SetValue(10);
        Label2.SetCaption(std::string(texts::Greeting));

        // The one turn of the event loop: the window paints, pending ticks run.
        platform::DoEvents();
        // Closed meanwhile: there is nothing left to load frames for.
        if (!IsLoaded())
            return;

        LoadFrames();

        SetMousePointer(platform::MousePointer::Default);
        Label1.SetCaption(std::string(texts::LoadingDone));
        ProgressBar1.SetValue(0);
        // Hiding the bar reveals the "Start" button beneath it.
        ProgressBar1.SetVisible(false);

        Label2.SetCaption(ReadoutText(ComputeScreenSize(platform::Screen())));

        Timer1.SetEnabled(true);
        GreenRising = true;
        GreenFalling = false;
        RedRising = true;
        RedFalling = false;
    } catch (const std::exception& error) {
        // The box names one cause for every failure; the real one goes here.
        std::fprintf(stderr, "rasterblick: loading failed: %s\n", error.what());
        std::fflush(stderr);
        platform::MsgBox(texts::LoadFailed, texts::ApplicationTitle);
        platform::SetExitStatus(1);
        Unload();
    }
}

void Start::LoadFrames()
{
    for (const FrameLoadStep& step : FrameLoadSteps) {
        ProgressBar1.SetValue(step.position);
        platform::Forms(step.window).Load();
    }
    ProgressBar1.SetValue(100);
}

void Start::Form_Unload(bool& cancel)
{
    (void)cancel;
    for (const FrameLoadStep& step : FrameLoadSteps)
        platform::Forms(step.window).Unload();
}

void Start::Command1_Click()
{
    Command1.SetVisible(false);
    Timer1.SetEnabled(false);
    ShowSelectionView();
}

void Start::Timer1_Timer()
{
    try {
        Timer1.SetEnabled(false);
        ShowSelectionView();
    } catch (const std::exception&) {
        // The automatic switch gives up quietly; the button is still there.
    }
}

void Start::ShowSelectionView()
{
    Picture1.SetVisible(true);
    Picture2.SetVisible(true);
    Shape1.SetVisible(false);
    ProgressBar1.SetVisible(false);
    Command1.SetVisible(false);
    Label2.SetVisible(false);
    Check1.SetVisible(true);
    Check2.SetVisible(true);
    Check3.SetVisible(true);
    Check4.SetVisible(true);
    Check5.SetVisible(true);
    Check6.SetVisible(true);
}

void Start::ToggleFrame(const platform::CheckBox& toggle, std::string_view window)
{
    // Showing loads the frame first if the window system closed it meanwhile.
    platform::Forms(window).SetVisible(toggle.Value() == 1);
}

void Start::Check1_Click()
{
    ToggleFrame(Check1, "Form1");
}
void Start::Check2_Click()
{
    ToggleFrame(Check2, "Form2");
}
void Start::Check3_Click()
{
    ToggleFrame(Check3, "Form3");
}
void Start::Check4_Click()
{
    ToggleFrame(Check4, "Form4");
}
void Start::Check5_Click()
{
    ToggleFrame(Check5, "Form5");
}
void Start::Check6_Click()
{
    ToggleFrame(Check6, "Form6");
}

// Green pulses every 150 ms, red every 350 ms.
void Start::Timer2_Timer()
{
    logo::PulseStep(HScroll1[1], GreenRising, GreenFalling);
}
void Start::Timer3_Timer()
{
    logo::PulseStep(HScroll1[0], RedRising, RedFalling);
}

void Start::HScroll1_Change(std::int16_t index)
{
    Gain = logo::Gain(HScroll1[std::size_t(index)].Value());
    GainTable = logo::GainTable(Gain);
    ApplyChannelGain(index);
    Picture1.Refresh();
}

void Start::ApplyChannelGain(const std::int16_t& index)
{
    // Picture2 is never written: every change starts from the loaded colours.
    const logo::PixelView destination = logo::ViewOf(Picture1.Picture());
    const logo::PixelView source = logo::ViewOf(Picture2.Picture());
    if (logo::ApplyChannelGain(index, GainTable, destination, source) ==
        logo::RemapResult::Not24Bit)
        platform::MsgBox(texts::Only24BitBitmaps, texts::ApplicationTitle);
}

void Start::Picture1_Click()
{
    std::string url(logo::HomePageUrl);
    StartURL(url);
}

std::int32_t Start::StartURL(std::string& url)
{
    const platform::ShellExecuteRequest request{.owner = platform::GetDesktopWindow(),
                                                .verb = "Open",
                                                .file = url,
                                                .parameters = "",
                                                .directory = "C:\\",
                                                .showCommand = platform::ShowNormal};
    return platform::ShellExecute(request);
}

} // namespace app
