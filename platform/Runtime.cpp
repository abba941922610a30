#include "platform/Runtime.h"

#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/RunTimeError.h"

#include <cstdio>

namespace platform
{

namespace
{
Runtime* current = nullptr;
}

Runtime::Runtime(Backend& backend) : backend_(backend), previous_(current)
{
    current = this;
}

Runtime::~Runtime()
{
    // Windows unload before the run time goes, so their peers go first.
    forms_.clear();
    current = previous_;
}

Runtime& Runtime::Current()
{
    if (!current)
        throw RunTimeError(RunTimeError::WindowSystem, "no forms run time is running");
    return *current;
}

void Runtime::Register(std::string name, FormFactory factory)
{
    factories_.insert_or_assign(std::move(name), std::move(factory));
}

Form& Runtime::Named(std::string_view name)
{
    if (auto it = forms_.find(name); it != forms_.end())
        return *it->second;
    auto factory = factories_.find(name);
    if (factory == factories_.end())
        throw RunTimeError(RunTimeError::WindowSystem, "no window is named " + std::string(name));
    auto form = factory->second();
    Form& result = *form;
    forms_.emplace(std::string(name), std::move(form));
    return result;
}

int Runtime::Run(std::string_view startupForm)
{
    DispatchEvent([&] { Named(startupForm).Load(); });
    if (!AnyLoaded())
        return exitStatus_;
    running_ = true;
    const int status = backend_.RunEventLoop();
    running_ = false;
    return status != 0 ? status : exitStatus_;
}

void Runtime::FormLoaded(Form&)
{
    ++loadedCount_;
}

void Runtime::FormUnloaded(Form&)
{
    --loadedCount_;
    if (loadedCount_ == 0 && running_)
        backend_.Quit();
}

void Runtime::ReportUncaught(const std::exception& error)
{
    std::string line;
    if (const auto* runTime = dynamic_cast<const RunTimeError*>(&error))
        line = "run-time error " + std::to_string(runTime->ErrorNumber()) + ": " + error.what();
    else
        line = std::string("error: ") + error.what();
    if (!reported_.insert(line).second)
        return;
    std::fprintf(stderr, "rasterblick: %s\n", line.c_str());
    std::fflush(stderr);
}

void ReportUncaughtError(const std::exception& error)
{
    Runtime::Current().ReportUncaught(error);
}

} // namespace platform
