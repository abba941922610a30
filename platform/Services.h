#pragma once

// The global services of the forms run time and the shell, for the current run.

#include "platform/Types.h"

#include <string_view>

namespace platform
{

class Form;

// The window of that name; created on first use, not loaded by this.
Form& Forms(std::string_view name);

// A modal message box: the text, an OK button only, no icon, the title.
void MsgBox(std::string_view text, std::string_view title);

ScreenMetrics Screen();

// Handles every pending event, then returns.
void DoEvents();

WindowHandle GetDesktopWindow();

std::int32_t ShellExecute(const ShellExecuteRequest& request);

// The status the process ends with; 0 unless the program says otherwise.
void SetExitStatus(int status);

} // namespace platform
