#include "tests/failure/WindowManagerProcess.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace failure_tests
{

namespace
{

bool Gone(pid_t pid)
{
    return kill(pid, 0) != 0 && errno == ESRCH;
}

// Waits up to five seconds for `done`.
template <typename Done> bool Within5s(Done done)
{
    for (int i = 0; i < 500; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace

WindowManagerProcess::WindowManagerProcess() : display_(XOpenDisplay(nullptr))
{
}

WindowManagerProcess::~WindowManagerProcess()
{
    // Never leave a stopped window manager behind.
    if (stopped_ > 0)
        kill(stopped_, SIGCONT);
    if (started_ > 0) {
        kill(started_, SIGTERM);
        waitpid(started_, nullptr, 0);
    }
    if (display_)
        XCloseDisplay(display_);
}

pid_t WindowManagerProcess::Pid() const
{
    if (!display_)
        return 0;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(display_, DefaultRootWindow(display_),
                           XInternAtom(display_, "_OPENBOX_PID", False), 0, 1, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        data) {
        if (count == 1 && format == 32)
            pid = pid_t(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
}

bool WindowManagerProcess::Stop()
{
    const pid_t pid = Pid();
    if (pid <= 0 || kill(pid, SIGSTOP) != 0)
        return false;
    stopped_ = pid;
    return true;
}

bool WindowManagerProcess::Continue()
{
    const pid_t pid = stopped_;
    stopped_ = 0;
    return pid > 0 && kill(pid, SIGCONT) == 0;
}

bool WindowManagerProcess::Kill()
{
    const pid_t pid = Pid();
    if (pid <= 0 || kill(pid, SIGKILL) != 0)
        return false;
    if (pid == stopped_)
        stopped_ = 0;
    if (pid == started_) {
        waitpid(pid, nullptr, 0);
        started_ = 0;
        return true;
    }
    return Within5s([pid] { return Gone(pid); });
}

bool WindowManagerProcess::StartAnother()
{
    char program[] = "openbox";
    char option[] = "--sm-disable";
    char* argv[] = {program, option, nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0)
        return false;
    started_ = pid;
    return Within5s([this, pid] { return Pid() == pid; });
}

} // namespace failure_tests
