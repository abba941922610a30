#pragma once

namespace platform
{
class Runtime;
}

namespace app
{

// Makes the program's windows known by name: "Start", the startup window, and
// the frame windows "Form1" to "Form6".
void RegisterWindows(platform::Runtime& runtime);

inline constexpr const char* StartupWindow = "Start";

} // namespace app
