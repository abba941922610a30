#include "platform/Services.h"

#include "platform/Runtime.h"

namespace platform
{

Form& Forms(std::string_view name)
{
    return Runtime::Current().Named(name);
}

void MsgBox(std::string_view text, std::string_view title)
{
    Runtime::Current().GetBackend().MessageBox(text, title);
}

ScreenMetrics Screen()
{
    return Runtime::Current().GetBackend().Screen();
}

void DoEvents()
{
    Runtime::Current().GetBackend().DoEvents();
}

WindowHandle GetDesktopWindow()
{
    return Runtime::Current().GetBackend().DesktopWindow();
}

std::int32_t ShellExecute(const ShellExecuteRequest& request)
{
    return Runtime::Current().GetBackend().ShellExecute(request);
}

void SetExitStatus(int status)
{
    Runtime::Current().SetExitStatus(status);
}

} // namespace platform
