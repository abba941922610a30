#pragma once

// The window manager of the test's X server as a process the test can stop,
// resume, kill and replace: openbox names its pid on the root window.

#include <sys/types.h>

struct _XDisplay;

namespace failure_tests
{

class WindowManagerProcess
{
public:
    WindowManagerProcess();
    ~WindowManagerProcess();
    WindowManagerProcess(const WindowManagerProcess&) = delete;
    WindowManagerProcess& operator=(const WindowManagerProcess&) = delete;

    // The pid the running window manager announced (_OPENBOX_PID), or 0.
    pid_t Pid() const;

    // Holds it stopped (SIGSTOP) until Continue or the end of this object.
    bool Stop();
    bool Continue();
    // Kills it and waits until the process is gone.
    bool Kill();
    // Starts a new openbox, ended with this object, and waits until it runs.
    bool StartAnother();

private:
    ::_XDisplay* display_ = nullptr;
    pid_t started_ = 0;
    pid_t stopped_ = 0;
};

} // namespace failure_tests
