#pragma once

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/ProgressBar.h"
#include "platform/ScrollBar.h"
#include "platform/Shape.h"
#include "platform/Timer.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace app
{

// The main window: loads the six frames behind a progress bar, reads out the
// screen resolution, then offers one toggle per frame below the logo.
class Start : public platform::Form
{
public:
    Start();

    // Controls, in stacking order, bottom first. The labels and the rectangle
    // lie on the window's own surface, below every other control.
    platform::Shape Shape1;
    platform::Label Label1;
    platform::Label Label2;
    platform::CommandButton Command1;
    platform::PictureBox Picture2;
    platform::ProgressBar ProgressBar1;
    platform::PictureBox Picture1;
    // The two elements of the control array HScroll1: red, then green.
    std::array<platform::ScrollBar, 2> HScroll1;
    platform::CheckBox Check1;
    platform::CheckBox Check2;
    platform::CheckBox Check3;
    platform::CheckBox Check4;
    platform::CheckBox Check5;
    platform::CheckBox Check6;
    platform::Timer Timer1;
    platform::Timer Timer2;
    platform::Timer Timer3;

    // The pulse flags of the two logo channels.
    bool GreenRising = false;
    bool GreenFalling = false;
    bool RedRising = false;
    bool RedFalling = false;

    // The gain of the latest change, of either channel, and its table.
    float Gain = 0;
    std::array<std::uint8_t, 256> GainTable{};

    // Hands the URL to the desktop's opener, owned by the desktop window;
    // returns the shell's result, above 32 on success.
    std::int32_t StartURL(std::string& url);

    // The frame windows and the progress position set before each is loaded.
    struct FrameLoadStep {
        float position;
        std::string_view window;
    };
    static constexpr std::array<FrameLoadStep, 6> FrameLoadSteps{
        {{20, "Form1"}, {30, "Form2"}, {45, "Form3"}, {60, "Form4"}, {75, "Form5"}, {90, "Form6"}}};

private:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void Command1_Click();
    void Timer1_Timer();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Timer2_Timer();
    void Timer3_Timer();
    void HScroll1_Change(std::int16_t index);
    void Picture1_Click();

    void ApplyChannelGain(const std::int16_t& index);

    void LoadFrames();
    void ShowSelectionView();
    static void ToggleFrame(const platform::CheckBox& toggle, std::string_view window);
};

} // namespace app
