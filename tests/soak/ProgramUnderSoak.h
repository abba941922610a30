#pragma once

// The program's own windows on the real backend, in the state a user reaches
// after loading: the frames loaded and hidden, the main window in its
// selection view with the six toggles and the pulsing logo.

#include "app/Start.h"
#include "frames/FrameWindow.h"
#include "platform/Runtime.h"
#include "tests/soak/Footprint.h"
#include "tests/support/X11Probe.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>

class QCheckBox;
struct _XDisplay;

namespace soak
{

// The Qt backend of this test process, made once in main().
extern platform::Backend* NativeBackend;

class ProgramUnderSoak
{
public:
    ProgramUnderSoak();
    ~ProgramUnderSoak();
    ProgramUnderSoak(const ProgramUnderSoak&) = delete;
    ProgramUnderSoak& operator=(const ProgramUnderSoak&) = delete;

    app::Start& Start() { return start_; }
    // Toggle and frame 0..5: Check1 shows and hides Form1, and so on.
    platform::CheckBox& Toggle(int index);
    QCheckBox& ToggleWidget(int index);
    frames::FrameWindow& Frame(int index);
    std::uintptr_t FrameId(int index) { return Frame(index).hWnd().value; }
    // Where a press switches the toggle, in screen pixels.
    QPoint ToggleIndicatorOnScreen(int index);

    testing_support::X11Probe& Probe() { return probe_; }

    // Handles events until `done` holds, without the pauses of the gui tests'
    // WaitUntil: thousands of waits must stay quick.
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
    // Waits until the X server has handled every request the program sent.
    void SyncWithServer();
    // Lets deferred deletions and pending paints run, then measures.
    Footprint SettleAndMeasure();

private:
    testing_support::X11Probe probe_;
    // A connection of its own for the X-Resource queries.
    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> measuring_;
    platform::Runtime runtime_;
    app::Start& start_;
};

} // namespace soak
