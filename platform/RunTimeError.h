#pragma once

#include <stdexcept>
#include <string>

namespace platform
{

// The error a run-time operation raises when it fails. Handlers that catch
// errors catch this; everything else lets it travel to the event loop.
class RunTimeError : public std::runtime_error
{
public:
    // The numbers the program may meet; the text is what a person reads.
    enum Number : int {
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
        InvalidProcedureCall = 5,
        WindowSystem = 1000, // a window-system request that could not be made
    };

    RunTimeError(int number, const std::string& description)
        : std::runtime_error(description), number_(number)
    {
    }

    int ErrorNumber() const { return number_; }

private:
    int number_;
};

} // namespace platform
