#pragma once

#include "platform/Backend.h"
#include "platform/Types.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support
{

class RecordingControl;
class RecordingWindow;
class RecordingTimer;

// A backend that draws nothing: it writes every call the platform layer makes
// into `calls`, in order, as one line of text ("Start.Label2.Caption=..."), can
// make a chosen call raise the run-time error, and lets a test play the user
// and the clock (clicks, presses, timer ticks, closing a window).
class RecordingBackend : public platform::Backend
{
public:
    RecordingBackend();
    ~RecordingBackend() override;

    std::vector<std::string> calls;

    // The next call whose line starts with `prefix` raises the run-time error
    // with `number` instead of being made (once).
    void FailOn(std::string prefix, int number = 7);

    platform::ScreenMetrics screen{1024.0f * 15, 768.0f * 15, 15, 15};
    std::int32_t shellResult = 42;
    // Runs inside DoEvents, as the events that were pending there.
    std::function<void()> pendingEvents;
    // Runs inside RunEventLoop, as what the user does while the program runs.
    std::function<void()> whileRunning;

    // Playing the user and the clock.
    void Click(std::string_view control);
    void MouseDown(std::string_view control, platform::MouseEventArgs args = {});
    void Tick(std::string_view timer);
    void Close(std::string_view form);

    // What the window system holds now.
    bool WindowExists(std::string_view form) const;
    bool ControlExists(std::string_view control) const;
    bool TimerEnabled(std::string_view timer) const;
    const platform::Region* ShapeOf(std::string_view form) const;

    // The lines that start with `prefix`, in order.
    std::vector<std::string> CallsStartingWith(std::string_view prefix) const;
    // The position of the first line equal to `call`, or -1.
    int IndexOf(std::string_view call) const;

    // Backend
    std::unique_ptr<platform::WindowPeer> CreateWindow(platform::Form& form) override;
    std::unique_ptr<platform::TimerPeer> CreateTimer(platform::Timer& timer) override;
    void MessageBox(std::string_view text, std::string_view title) override;
    platform::ScreenMetrics Screen() override;
    void DoEvents() override;
    platform::WindowHandle DesktopWindow() override;
    std::int32_t ShellExecute(const platform::ShellExecuteRequest& request) override;
    int RunEventLoop() override;
    void Quit() override;

    // Kept by the recording peers.
    void Record(std::string line);
    void Add(RecordingWindow& window);
    void Remove(RecordingWindow& window);
    void Add(RecordingControl& control);
    void Remove(RecordingControl& control);
    void Add(RecordingTimer& timer);
    void Remove(RecordingTimer& timer);

    static constexpr std::uintptr_t DesktopHandle = 0xDE5C;

private:
    RecordingControl& FindControl(std::string_view name) const;

    std::vector<std::pair<std::string, int>> failures_;
    std::map<std::string, RecordingWindow*, std::less<>> windows_;
    std::map<std::string, RecordingControl*, std::less<>> controls_;
    std::map<std::string, RecordingTimer*, std::less<>> timers_;
    std::uintptr_t nextHandle_ = 0x100;
};

} // namespace testing_support
