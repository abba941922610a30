#include "platform/Timer.h"

#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/Runtime.h"

namespace platform
{

Timer::Timer(Form& owner, std::string name, TimerLayout layout)
    : owner_(owner), name_(std::move(name)), layout_(layout), enabled_(layout.enabled)
{
    owner_.AddTimer(*this);
}

Timer::~Timer() = default;

std::string Timer::QualifiedName() const
{
    return owner_.Name() + "." + name_;
}

void Timer::SetEnabled(bool enabled)
{
    if (!owner_.IsLoaded())
        owner_.Load();
    enabled_ = enabled;
    if (peer_)
        peer_->SetEnabled(enabled);
}

void Timer::PeerTick()
{
    if (!enabled_)
        return;
    DispatchEvent([this] {
        if (Tick)
            Tick();
    });
}

void Timer::Start()
{
    enabled_ = layout_.enabled;
    peer_ = Runtime::Current().GetBackend().CreateTimer(*this);
    peer_->SetInterval(layout_.intervalMs);
    if (enabled_)
        peer_->SetEnabled(true);
}

void Timer::Stop()
{
    peer_.reset();
}

} // namespace platform
