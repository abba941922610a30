#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform
{

class Form;
class TimerPeer;

struct TimerLayout {
    std::int32_t intervalMs = 0;
    bool enabled = false;
};

// A timer of a window: while enabled and its window is loaded, it raises Tick
// once per interval. It runs from the window's load to its unload.
class Timer
{
public:
    Timer(Form& owner, std::string name, TimerLayout layout);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& Name() const { return name_; }
    std::string QualifiedName() const;
    Form& Owner() const { return owner_; }

    std::int32_t Interval() const { return layout_.intervalMs; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> Tick;

    // Input from the window system: the interval has passed.
    void PeerTick();

    // Called by the window while it loads and unloads.
    void Start();
    void Stop();

private:
    Form& owner_;
    std::string name_;
    TimerLayout layout_;
    bool enabled_ = false;
    std::unique_ptr<TimerPeer> peer_;
};

} // namespace platform
