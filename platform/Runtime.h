#pragma once

#include "platform/Backend.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

namespace platform
{

class Form;

// The forms run time of one program run: the backend it drives, the windows
// by name, and the rule that the program ends when no window is loaded.
class Runtime
{
public:
    using FormFactory = std::function<std::unique_ptr<Form>()>;

    // Becomes the current run time until it is destroyed.
    explicit Runtime(Backend& backend);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    static Runtime& Current();
    Backend& GetBackend() { return backend_; }

    // Makes a window known by its name; it is created on first use.
    void Register(std::string name, FormFactory factory);
    // The window of that name, created now if this is its first use.
    Form& Named(std::string_view name);
    bool AnyLoaded() const { return loadedCount_ > 0; }

    // Loads the startup window and runs the event loop until no window is loaded.
    int Run(std::string_view startupForm);

    void SetExitStatus(int status) { exitStatus_ = status; }

    // An error that no handler caught: written once on standard error.
    void ReportUncaught(const std::exception& error);

    // Kept by Form.
    void FormLoaded(Form& form);
    void FormUnloaded(Form& form);

private:
    Backend& backend_;
    Runtime* previous_;
    std::map<std::string, FormFactory, std::less<>> factories_;
    // Declared after the factories, so windows go before what made them.
    std::map<std::string, std::unique_ptr<Form>, std::less<>> forms_;
    int loadedCount_ = 0;
    bool running_ = false;
    int exitStatus_ = 0;
    std::set<std::string> reported_;
};

} // namespace platform
