#include "platform/NativeBackend.h"

#include "platform/win32/Win32Backend.h"

namespace platform
{

std::unique_ptr<Backend> CreateNativeBackend(int& argc, char** argv, std::string& error)
{
    // Windows passes nothing the backend reads on the command line.
    (void)argc;
    (void)argv;
    return win32::Win32Backend::Create(error);
}

} // namespace platform
